// Saving and restoring a snapshot of a table with 300 coins in play
// (targets: under 1 ms each, under 64 KB).
#include <benchmark/benchmark.h>

#include <string>

#include "bench/cabinet_states.h"
#include "cabinet/snapshot.h"
#include "game/state.h"

namespace {

constexpr int kTableCoins = 300;

double CoinsInPlay() {
  int n = 0;
  ForEachCoinInPlay([&](int) { ++n; });
  return n;
}

void SaveTable(benchmark::State& st) {
  BuildTableOf(kTableCoins);
  std::size_t size = 0;
  for (auto _ : st) {
    const std::vector<std::uint8_t> bytes = SaveSnapshot();
    size = bytes.size();
    benchmark::DoNotOptimize(bytes.data());
  }
  st.counters["bytes"] = static_cast<double>(size);
  st.counters["coins"] = CoinsInPlay();
}
BENCHMARK(SaveTable)->Unit(benchmark::kMicrosecond);

// Each load replaces the table it was taken from, as continuing a game does.
void LoadTable(benchmark::State& st) {
  BuildTableOf(kTableCoins);
  const std::vector<std::uint8_t> bytes = SaveSnapshot();
  std::string error;
  for (auto _ : st) {
    if (!LoadSnapshot(bytes.data(), bytes.size(), error)) {
      st.SkipWithError(error.c_str());
      break;
    }
  }
  st.counters["bytes"] = static_cast<double>(bytes.size());
  st.counters["coins"] = CoinsInPlay();
}
BENCHMARK(LoadTable)->Unit(benchmark::kMicrosecond);

}  // namespace
