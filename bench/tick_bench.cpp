// One game tick, on the fast path and on the literal reference, from the
// same saved state every time, with and without composing the frame.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

#include "bench/cabinet_states.h"
#include "game/simulation_path.h"
#include "game/tick.h"

namespace {

class NoWindow : public WindowHost {
 public:
  void StartTimer(int, int) override {}
  void RequestRepaint() override {}
  void ShowPixels(const std::uint32_t*, int, int) override {}
};

void TickFromSavedState(benchmark::State& st, Cabinet cabinet, bool reference, bool compose) {
  BuildCabinet(cabinet);
  Snapshot snapshot;
  snapshot.Save();
  UseSimulationPath(reference ? ReferencePath() : FastPath());
  const Canvas attachedCanvas = mainCanvas;
  if (!compose) {
    mainCanvas = Canvas();  // an unattached canvas draws nothing
  } else {
#ifdef MAROBEL_ASSETS_DIR
    mainCanvas.SetFileDirectory(MAROBEL_ASSETS_DIR);
#endif
  }
  NoWindow window;
  for (auto _ : st) {
    st.PauseTiming();
    snapshot.Restore();
    st.ResumeTiming();
    GameTick(&window);
  }
  UseSimulationPath(FastPath());
  mainCanvas = attachedCanvas;
}

void RegisterAll() {
  for (Cabinet cabinet : {Cabinet::StartState, Cabinet::BusyField, Cabinet::FullPool}) {
    for (bool compose : {false, true}) {
      for (bool reference : {false, true}) {
        const std::string name = std::string(compose ? "TickAndFrame/" : "Tick/") + CabinetName(cabinet) +
                                 (reference ? "/reference" : "/fast");
        auto* b = benchmark::RegisterBenchmark(name.c_str(), [=](benchmark::State& st) {
          TickFromSavedState(st, cabinet, reference, compose);
        });
        b->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
        if (reference && cabinet != Cabinet::StartState) b->Iterations(3);
      }
    }
  }
}

// Prints, after the usual report, how many times faster the fast path is
// than the reference on each table (by median).
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
      const auto ref = medians_.find(name.substr(0, at) + "/reference");
      if (ref == medians_.end() || fastTime <= 0) continue;
      std::printf("ratio %-32s reference/fast = %.0fx (fast median %.2f us)\n", name.substr(0, at).c_str(),
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
