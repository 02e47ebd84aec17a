#include "game/state.h"

#include "game/play_stats.h"

GameState game;
PlayStats playStats;

namespace {
// `game` starts zeroed, as static storage does; only the values that do not
// start at zero are set here. Not clearing the rest again keeps the pages of
// the contact table untouched until coins actually use them.
struct ProgramStart {
  ProgramStart() {
    game.pusherStroke = -3;
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
  game.pusherStroke = -3;
  game.pusherRetracting = 0;
  game.gateOffset = 0;
  game.gateReturning = 0;
  game.lotteryRow = 0;
  game.lotteryColumn = 0;
  game.lotterySpinning = 0;
  game.lotteryBox = ScreenBox{};
  game.pendingCoins = 0;
  game.sweepRequested = 0;
  game.sweepTimer = 0;
  game.magicRequested = 0;
  game.magicTimer = 0;
  game.credits = 0;
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
