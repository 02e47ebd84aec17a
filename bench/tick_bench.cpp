// One game tick, on the fast path and on the literal pair-by-pair design,
// from the same saved state every time, with and without composing the
// frame.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

#include "bench/cabinet_states.h"
#include "game/simulation_path.h"
#include "cabinet/cabinet.h"
#include "cabinet/tick.h"

namespace {

// Every repetition times exactly one tick, from the next saved state of the
// table's cycle, so the reported median is the median tick.
void TickFromSavedState(benchmark::State& st, Cabinet cabinet, bool literal, bool compose) {
  struct Prepared {
    std::vector<Snapshot> cycle;
    std::size_t next = 0;
  };
  static std::map<Cabinet, Prepared> prepared;
  Prepared& table = prepared[cabinet];
  if (table.cycle.empty()) table.cycle = CabinetCycle(cabinet);
  table.cycle[table.next++ % table.cycle.size()].Restore();

  UseSimulationPath(literal ? LiteralPath() : FastPath());
  static cabinet::FrameComposer composer;
#ifdef MAROBEL_ASSETS_DIR
  composer.SetPictureFolder(MAROBEL_ASSETS_DIR);
#endif
  for (auto _ : st) {
    const cabinet::TickResult result = cabinet::Tick();
    if (compose) composer.Compose(*result.display);
  }
  UseSimulationPath(FastPath());
}

void RegisterAll() {
  for (Cabinet cabinet : {Cabinet::StartState, Cabinet::BusyField, Cabinet::FullPool}) {
    for (bool compose : {false, true}) {
      for (bool reference : {false, true}) {
        const std::string name = std::string(compose ? "TickAndFrame/" : "Tick/") + CabinetName(cabinet) +
                                 (reference ? "/literal" : "/fast");
        auto* b = benchmark::RegisterBenchmark(
            name.c_str(), [=](benchmark::State& st) { TickFromSavedState(st, cabinet, reference, compose); });
        // Ten ticks of the cycle for the literal design, ten rounds of it for the fast path.
        const int cycle = cabinet == Cabinet::StartState ? 1 : 10;
        b->Unit(benchmark::kMicrosecond)->Iterations(1)->Repetitions(reference ? 10 : (cycle == 1 ? 200 : 100));
        b->ReportAggregatesOnly(true);
      }
    }
  }
}

// Prints, after the usual report, how many times faster the fast path is
// than the literal design on each table (by median).
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.aggregate_name != "median") continue;
      medians_[run.run_name.function_name] = run.GetAdjustedRealTime();
    }
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    for (const auto& [name, fastTime] : medians_) {
      const auto at = name.rfind("/fast");
      if (at == std::string::npos) continue;
      const auto ref = medians_.find(name.substr(0, at) + "/literal");
      if (ref == medians_.end() || fastTime <= 0) continue;
      std::printf("ratio %-32s literal/fast = %.0fx (fast median %.2f us)\n", name.substr(0, at).c_str(),
                  ref->second / fastTime, fastTime);
    }
  }

 private:
  std::map<std::string, double> medians_;
};

}  // namespace

int main(int argc, char** argv) {
  RegisterAll();
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
