// Smooth motion's costs: working the next tick out ahead on a copy of the
// game (after every tick and every key-down), and one picture between two
// ticks, listed and composed over the window's part of the canvas, on the
// start table and on crowded ones.
// Targets (Release): a look-ahead well within a millisecond; a picture
// between ticks <= 0.15 ms on the start table, <= 0.3 ms at 250 coins and
// <= 1 ms at 1,000.
#include <benchmark/benchmark.h>

#include <utility>

#include "bench/cabinet_states.h"
#include "bench/generated_pictures.h"
#include "app/session/window_view.h"
#include "cabinet/cabinet.h"

namespace {

// The table of `coins` coins (0: as the game starts), a tick run on it.
void TableWithATick(int coins) {
  if (coins == 0)
    BuildCabinet(Cabinet::StartState);
  else
    BuildTableOf(coins);
  cabinet::Tick();
}

// The composer draws what a window shows of the canvas.
bool ComposeTheWindow(benchmark::State& st, cabinet::FrameComposer& composer) {
  composer.SetRegion(0, 0, kClientAreaWidth, kClientAreaHeight);
  return UseGeneratedPictures(st, composer);
}

void LookAhead(benchmark::State& st) {
  TableWithATick(static_cast<int>(st.range(0)));
  for (auto _ : st) benchmark::DoNotOptimize(cabinet::LookAhead().calls.size());
  st.counters["coins"] = static_cast<double>(cabinet::CoinsInPlay());
}
BENCHMARK(LookAhead)->Arg(0)->Arg(250)->Arg(1000)->Unit(benchmark::kMicrosecond);

void PictureBetweenTicks(benchmark::State& st) {
  TableWithATick(static_cast<int>(st.range(0)));
  const DisplayList shown = *cabinet::Tick().display;
  const DisplayList next = cabinet::LookAhead();
  cabinet::FrameComposer composer;
  if (!ComposeTheWindow(st, composer)) return;
  DisplayList between;
  double fraction = 0;
  for (auto _ : st) {
    fraction = fraction >= 0.9 ? 0.1 : fraction + 0.1;
    cabinet::ListInBetween(shown, next, fraction, between);
    benchmark::DoNotOptimize(composer.Compose(between));
  }
  st.counters["coins"] = static_cast<double>(cabinet::CoinsInPlay());
}
BENCHMARK(PictureBetweenTicks)->Arg(0)->Arg(250)->Arg(1000)->Unit(benchmark::kMillisecond);

// The same pictures as a window gets them, each composed over the one
// before only where the two differ: what a picture between ticks costs in
// a running game.
void PictureOverTheLastOne(benchmark::State& st) {
  TableWithATick(static_cast<int>(st.range(0)));
  const DisplayList shown = *cabinet::Tick().display;
  const DisplayList next = cabinet::LookAhead();
  cabinet::FrameComposer composer;
  if (!ComposeTheWindow(st, composer)) return;
  DisplayList last = shown, between;
  composer.Compose(last);
  double fraction = 0;
  for (auto _ : st) {
    fraction = fraction >= 0.9 ? 0.1 : fraction + 0.1;
    cabinet::ListInBetween(shown, next, fraction, between);
    benchmark::DoNotOptimize(composer.ComposeOver(last, between));
    std::swap(last, between);
  }
  st.counters["coins"] = static_cast<double>(cabinet::CoinsInPlay());
}
BENCHMARK(PictureOverTheLastOne)->Arg(0)->Arg(250)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace
