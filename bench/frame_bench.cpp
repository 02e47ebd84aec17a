// Composing a frame on the software canvas with the generated pictures: a
// whole tick with its frame from the start state, and the drawing alone for
// the start state, a rich table of 250 coins and a thousand coins, each over
// the whole canvas and over the part a window shows; and what decoding a
// picture costs when it cannot be reused. Sixty pictures a second need a
// frame of the window well under a millisecond.
#include <benchmark/benchmark.h>

#include <string>

#include "app/session/window_view.h"
#include "bench/cabinet_states.h"
#include "bench/generated_pictures.h"
#include "bonus/gate_lottery.h"
#include "canvas/bmp_reader.h"
#include "canvas/picture_cache.h"
#include "cabinet/cabinet.h"
#include "cabinet/tick.h"
#include "render/asset_names.h"
#include "render/frame.h"

namespace {

// The display list of a tick's drawing steps without the simulation steps
// between them: cabinet, texts, cursor, every coin with the sprite of its
// state, and the bonus markers, in the tick's stacking order.
const DisplayList& DrawOnly() {
  FrameDisplayList().Clear();
  mainCanvas.ClearBlack();
  DrawCabinet();
  DrawHeadUpTexts();
  DrawLotteryCursor();
  for (int i = 0; i < kCoinSlots; ++i) {
    const CoinState s = game.coinState[i];
    if (s == CoinState::Airborne) {
      mainCanvas.DrawSprite(game.coinX[i], game.coinY[i], asset::kCoin, asset::kCoinMask, 15, 15);
    } else if (s == CoinState::OnPusher || s == CoinState::OnField) {
      mainCanvas.DrawSprite(game.coinX[i], game.coinY[i], asset::kLyingCoin, asset::kLyingCoinMask, 15, 15);
    }
  }
  DrawBonusOverlays();
  return FrameDisplayList();
}

enum class Area { Canvas, Window };

// The composer draws what a window's client area shows of the canvas, or all of it.
void ComposeOver(cabinet::FrameComposer& composer, Area area) {
  if (area == Area::Window) composer.SetRegion(0, 0, kClientAreaWidth, kClientAreaHeight);
}

// One whole game tick with its frame on the start table: the second tick
// after the creation reset, right after the first, as a running game ticks
// (the caches hold what the tick before used). Cold: the first tick, right
// after the saved state is copied back, which leaves no cache warm (the
// state is megabytes). Every repetition starts from that same state.
enum class Cache { Warm, Cold };
void StartStateTick(benchmark::State& st, Area area, Cache cache) {
  static std::vector<Snapshot> start = CabinetCycle(Cabinet::StartState);
  cabinet::FrameComposer composer;
  if (!UseGeneratedPictures(st, composer)) return;
  ComposeOver(composer, area);
  start.front().Restore();
  composer.Compose(*cabinet::Tick().display);
  if (cache == Cache::Cold) start.front().Restore();
  for (auto _ : st) composer.Compose(*cabinet::Tick().display);
}
BENCHMARK_CAPTURE(StartStateTick, canvas, Area::Canvas, Cache::Warm)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(60)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(StartStateTick, window, Area::Window, Cache::Warm)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(60)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(StartStateTick, window_cold, Area::Window, Cache::Cold)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(60)
    ->ReportAggregatesOnly(true);

// The drawing of the table the builder leaves, composed again and again.
void ComposeTable(benchmark::State& st, void (*build)(), Area area) {
  build();
  cabinet::FrameComposer composer;
  if (!UseGeneratedPictures(st, composer)) return;
  ComposeOver(composer, area);
  int coins = 0;
  for (int i = 0; i < kCoinSlots; ++i) coins += game.coinState[i] != CoinState::Free;
  const DisplayList list = DrawOnly();
  composer.Compose(list);
  const std::size_t decodes = composer.PictureDecodeCount();
  for (auto _ : st) composer.Compose(list);
  st.counters["coins"] = coins;
  // A picture decoded again while timing would mean a file lookup that failed.
  st.counters["redecodes"] = static_cast<double>(composer.PictureDecodeCount() - decodes);
}

void StartTable() { BuildCabinet(Cabinet::StartState); }
void ThousandCoins() { BuildCabinet(Cabinet::BusyField); }

BENCHMARK_CAPTURE(ComposeTable, start_canvas, StartTable, Area::Canvas)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(ComposeTable, start_window, StartTable, Area::Window)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(ComposeTable, rich250_canvas, BuildRichTable, Area::Canvas)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(ComposeTable, rich250_window, BuildRichTable, Area::Window)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(ComposeTable, thousand_canvas, ThousandCoins, Area::Canvas)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(ComposeTable, thousand_window, ThousandCoins, Area::Window)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// What each sprite would cost if every call read and decoded its files.
void DecodeCabinetPicture(benchmark::State& st) {
#ifdef MAROBEL_ASSETS_DIR
  std::string bytes;
  for (auto _ : st) {
    ReadFileBytes(std::string(MAROBEL_ASSETS_DIR) + "/" + asset::kBack, 1 << 24, bytes);
    Picture picture;
    benchmark::DoNotOptimize(DecodeBmp(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), picture));
  }
#else
  st.SkipWithError("built without the generated pictures (tools/artgen)");
#endif
}
BENCHMARK(DecodeCabinetPicture)->Unit(benchmark::kMicrosecond);

}  // namespace
