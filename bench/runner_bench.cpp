// The headless runner as a user runs it: the real marobel-sim binary on a
// generated rich game (3,000 ticks, 100,000 credits, one to three presses
// in each lane before every tick), its trace written to /dev/null. The time
// column is wall time per tick over a whole run, start-up included; the
// counters add CPU time per tick and the peak resident memory of the run.
// Targets: 20 us a tick with the trace, 40 us with --draws, 16 MiB.
// MAROBEL_SIM=path/to/marobel-sim times another build, to compare two.
#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tools/rich_game/rich_game.h"

extern char** environ;

namespace {

constexpr long long kTicks = 3000;

const std::string& RichGameKeysFile() {
  static const std::string path = [] {
    const auto file = std::filesystem::temp_directory_path() / "marobel-bench-rich-game.keys";
    std::ofstream(file, std::ios::binary) << RichGameKeys(RichStyle::Steady, 1, kTicks);
    return file.string();
  }();
  return path;
}

struct RunCost {
  double wallSeconds = 0;
  double cpuSeconds = 0;
  double peakMiB = 0;
  bool ok = false;
};

RunCost RunSim(const std::vector<std::string>& extra) {
  const char* other = std::getenv("MAROBEL_SIM");
  std::vector<std::string> args = {other && *other ? other : MAROBEL_SIM_PATH,
                                   "--ticks",
                                   std::to_string(kTicks),
                                   "--credits",
                                   "100000",
                                   "--keys",
                                   RichGameKeysFile(),
                                   "--trace",
                                   "/dev/null"};
  args.insert(args.end(), extra.begin(), extra.end());
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);

  RunCost cost;
  const auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return cost;
  int status = 0;
  rusage usage{};
  if (wait4(pid, &status, 0, &usage) != pid) return cost;
  cost.wallSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  cost.cpuSeconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                    static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
  cost.peakMiB = static_cast<double>(usage.ru_maxrss) / 1024.0;  // Linux reports KiB
  cost.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  return cost;
}

void RunnerRichGame(benchmark::State& st, std::vector<std::string> extra) {
  for (auto _ : st) {
    const RunCost cost = RunSim(extra);
    if (!cost.ok) {
      st.SkipWithError("marobel-sim failed");
      return;
    }
    st.SetIterationTime(cost.wallSeconds / kTicks);
    st.counters["cpu_us_per_tick"] = cost.cpuSeconds / kTicks * 1e6;
    st.counters["peak_MiB"] = cost.peakMiB;
  }
}

void Configure(benchmark::internal::Benchmark* b) {
  b->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(1)->Repetitions(5)->ReportAggregatesOnly(true);
}

BENCHMARK_CAPTURE(RunnerRichGame, Trace, std::vector<std::string>{})->Apply(Configure);
BENCHMARK_CAPTURE(RunnerRichGame, TraceWithDraws, std::vector<std::string>{"--draws"})->Apply(Configure);

}  // namespace
