#include "cabinet/cabinet.h"

#include "cabinet/tick.h"
#include "game/constants.h"
#include "game/coin_life.h"
#include "game/state.h"

namespace cabinet {

void ResetProgram() { ResetProgramState(); }
TickTimer Create(WindowHost* window) {
  ResetGame(window);
  return {kTickTimerId, kTickPeriodMs};
}
void KeyDown(int virtualKey) { InsertCoin(virtualKey); }
void Tick(WindowHost* window) { GameTick(window); }

int Credits() { return game.credits; }
std::uint32_t RandomState() { return game.randState; }
std::int64_t TicksRun() { return CabinetTick(); }
std::int64_t CoinsInPlay() {
  std::int64_t count = 0;
  ForEachCoinInPlay([&count](int) { ++count; });
  return count;
}
const PlayStats& Stats() { return playStats; }

Readout Read() {
  return {game.randState,      game.credits,       game.pendingCoins,   game.pusherStroke,  game.pusherRetracting,
          game.gateOffset,     game.gateReturning, game.lotteryRow,     game.lotteryColumn, game.lotterySpinning,
          game.sweepRequested, game.sweepTimer,    game.magicRequested, game.magicTimer};
}

void ReadCoins(std::vector<CoinReadout>& coins) {
  coins.clear();
  ForEachCoinInPlay([&coins](int i) {
    coins.push_back({i, static_cast<int>(game.coinState[i]), game.coinX[i], game.coinY[i], game.coinVy[i]});
  });
}

void SetCredits(long long credits) { game.credits = static_cast<int>(credits); }

}  // namespace cabinet
