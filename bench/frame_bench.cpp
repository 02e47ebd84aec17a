// Composing a frame on the software canvas: the start-state tick with the
// generated pictures (target: 2 ms median), the drawing alone for the start
// state and for a cabinet with a thousand coins, and what decoding a
// picture costs when it cannot be reused.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/cabinet_states.h"
#include "bonus/gate_lottery.h"
#include "canvas/bmp_reader.h"
#include "canvas/picture_cache.h"
#include "cabinet/cabinet.h"
#include "cabinet/tick.h"
#include "render/asset_names.h"
#include "render/frame.h"

namespace {

bool UseGeneratedPictures([[maybe_unused]] benchmark::State& st, cabinet::FrameComposer& composer) {
#ifdef MAROBEL_ASSETS_DIR
  composer.SetPictureFolder(MAROBEL_ASSETS_DIR);
  return true;
#else
  st.SkipWithError("built without the generated pictures (tools/artgen)");
  return false;
#endif
}

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

// One whole game tick from the state right after the creation reset; every
// repetition starts from that same state.
void StartStateTick(benchmark::State& st) {
  static std::vector<Snapshot> start = CabinetCycle(Cabinet::StartState);
  cabinet::FrameComposer composer;
  if (!UseGeneratedPictures(st, composer)) return;
  start.front().Restore();
  for (auto _ : st) composer.Compose(*cabinet::Tick().display);
}
BENCHMARK(StartStateTick)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(60)->ReportAggregatesOnly(true);

void ComposeStartState(benchmark::State& st) {
  BuildCabinet(Cabinet::StartState);
  cabinet::FrameComposer composer;
  if (!UseGeneratedPictures(st, composer)) return;
  const DisplayList list = DrawOnly();
  for (auto _ : st) composer.Compose(list);
}
BENCHMARK(ComposeStartState)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void ComposeThousandCoins(benchmark::State& st) {
  BuildCabinet(Cabinet::BusyField);
  cabinet::FrameComposer composer;
  if (!UseGeneratedPictures(st, composer)) return;
  int coins = 0;
  for (int i = 0; i < kCoinSlots; ++i) coins += game.coinState[i] != CoinState::Free;
  const DisplayList list = DrawOnly();
  for (auto _ : st) composer.Compose(list);
  st.counters["coins"] = coins;
}
BENCHMARK(ComposeThousandCoins)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

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
