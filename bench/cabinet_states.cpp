#include "bench/cabinet_states.h"

#include <cstring>

#include "game/coin_life.h"
#include "cabinet/tick.h"

#include <algorithm>

namespace {

// A private generator, so building a table does not move the game's stream.
std::uint32_t seed = 12345;
int Next(int n) {
  seed = seed * 1103515245u + 12345u;
  return static_cast<int>((seed >> 8) % static_cast<std::uint32_t>(n));
}

int CoinsInPlay() {
  int n = 0;
  for (int i = 0; i < kCoinSlots; ++i) n += game.coinState[i] != CoinState::Free;
  return n;
}

// A player with endless credits pours coins into both lanes, at most
// `perTick` between two ticks, until `target` coins are in play.
void Pour(int target, int perTick, int ticks) {
  game.credits = 1000000000;
  for (int t = 0; t < ticks; ++t) {
    for (int n = std::min(perTick, target - CoinsInPlay()); n > 0; --n)
      InsertCoin(n % 2 ? kVirtualKeyLeft : kVirtualKeyRight);
    GameTick();
  }
}

// Fills every free slot: normal slots by pouring coins in, bonus slots with
// bonus coins lying on the playfield as the magic prize leaves them.
void FillPool() {
  for (int i = kNormalSlots; i < kCoinSlots; ++i) {
    if (game.coinState[i] != CoinState::Free) continue;
    game.coinState[i] = CoinState::OnField;
    game.coinX[i] = cabinetX + 7 + Next(180);
    game.coinY[i] = PusherFrontLineY(game.pusherStroke) + Next(kPayoutLineY - PusherFrontLineY(game.pusherStroke));
  }
  while (FindFreeSlot(0, kNormalSlots) >= 0) InsertCoin(kVirtualKeyRight);
}

}  // namespace

const char* CabinetName(Cabinet cabinet) {
  switch (cabinet) {
    case Cabinet::StartState:
      return "start";
    case Cabinet::BusyField:
      return "busy1000";
    case Cabinet::FullPool:
      return "fullpool";
  }
  return "?";
}

namespace {

constexpr int kBusyCoins = 1000;

void TopUp(Cabinet cabinet) {
  if (cabinet == Cabinet::BusyField) {
    for (int n = kBusyCoins - CoinsInPlay(); n > 0; --n) InsertCoin(n % 2 ? kVirtualKeyLeft : kVirtualKeyRight);
  } else if (cabinet == Cabinet::FullPool) {
    FillPool();
  }
}

}  // namespace

void BuildCabinet(Cabinet cabinet) {
  ResetProgramState();
  ResetGame();
  seed = 12345;
  if (cabinet == Cabinet::BusyField)
    Pour(kBusyCoins, 200, 40);
  else if (cabinet == Cabinet::FullPool)
    Pour(kCoinSlots, kCoinSlots, 40);
  TopUp(cabinet);
}

void BuildTableOf(int coins) {
  ResetProgramState();
  ResetGame();
  Pour(coins, 20, 300);
  for (int n = coins - CoinsInPlay(); n > 0; --n) InsertCoin(n % 2 ? kVirtualKeyLeft : kVirtualKeyRight);
}

void BuildRichTable() {
  constexpr int kBonusCoins = 12;
  BuildTableOf(250 - kBonusCoins);
  seed = 12345;
  for (int i = kNormalSlots; i < kNormalSlots + kBonusCoins; ++i) {
    game.coinState[i] = CoinState::OnField;
    game.coinX[i] = cabinetX + 7 + Next(180);
    game.coinY[i] = PusherFrontLineY(game.pusherStroke) + Next(kPayoutLineY - PusherFrontLineY(game.pusherStroke));
  }
}

std::vector<Snapshot> CabinetCycle(Cabinet cabinet) {
  BuildCabinet(cabinet);
  std::vector<Snapshot> cycle(cabinet == Cabinet::StartState ? 1 : 10);
  for (Snapshot& snapshot : cycle) {
    TopUp(cabinet);
    snapshot.Save();
    GameTick();
  }
  return cycle;
}

Snapshot::Snapshot() : saved_(std::make_unique<GameState>()) {}

void Snapshot::Save() { std::memcpy(static_cast<void*>(saved_.get()), &game, sizeof(GameState)); }

void Snapshot::Restore() const { std::memcpy(static_cast<void*>(&game), saved_.get(), sizeof(GameState)); }
