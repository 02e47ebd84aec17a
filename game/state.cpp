#include "game/state.h"

#include "game/counters.h"
#include "game/play_stats.h"

GameState game;
PlayStats playStats;

namespace {
// `game` starts zeroed, as static storage does; only the values that do not
// start at zero are set here. Not clearing the rest again keeps the pages of
// the contact table untouched until coins actually use them.
struct ProgramStart {
  ProgramStart() {
    for (const CounterFacts& counter : kCounters)
      if (counter.start != 0) game.*counter.field = counter.start;
    game.randState = 1;
  }
} programStart;
}  // namespace

void ResetProgramState() {
  for (int i = 0; i < kCoinSlots; ++i) {
    game.coinX[i] = 0;
    game.coinY[i] = 0;
    game.coinVy[i] = 0;
    game.coinState[i] = CoinState::Free;
  }
  game.contactMatrix.ClearAll();
  for (const CounterFacts& counter : kCounters) game.*counter.field = counter.start;
  game.lotteryBox = ScreenBox{};
  game.randState = 1;
  playStats = PlayStats{};
}

namespace {
constexpr std::uint32_t kRandMultiplier = 214013u;
constexpr std::uint32_t kRandIncrement = 2531011u;
}  // namespace

int gameRand() {
  game.randState = game.randState * kRandMultiplier + kRandIncrement;
  return static_cast<int>((game.randState >> 16) & 0x7FFFu);
}

void SkipRandomDraws(std::uint32_t n) {
  // The step x -> a*x + c composes with itself into another affine map, so
  // n steps take O(log n) multiply-adds (all modulo 2^32).
  std::uint32_t mul = 1, add = 0;
  std::uint32_t stepMul = kRandMultiplier, stepAdd = kRandIncrement;
  while (n) {
    if (n & 1u) {
      mul *= stepMul;
      add = add * stepMul + stepAdd;
    }
    stepAdd = stepAdd * (stepMul + 1u);
    stepMul *= stepMul;
    n >>= 1;
  }
  game.randState = game.randState * mul + add;
}
