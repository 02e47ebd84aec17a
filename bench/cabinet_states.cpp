#include "bench/cabinet_states.h"

#include <cstring>

#include "game/tick.h"

namespace {

class NoWindow : public WindowHost {
 public:
  void StartTimer(int, int) override {}
  void RequestRepaint() override {}
  void ShowPixels(const std::uint32_t*, int, int) override {}
};
NoWindow window;

// A private generator, so building a table does not move the game's stream.
std::uint32_t seed = 12345;
int Next(int n) {
  seed = seed * 1103515245u + 12345u;
  return static_cast<int>((seed >> 8) % static_cast<std::uint32_t>(n));
}

// Fills the free slots of [first, last) the way a stream of coins spreads
// over the cabinet: about two in five falling, the rest on the table or the
// field, each at a place where such a coin can lie.
void Crowd(int first, int last) {
  for (int i = first; i < last; ++i) {
    if (game.coinState[i] != CoinState::Free) continue;
    const int where = Next(5);
    game.coinX[i] = cabinetX + 10 + Next(185);
    if (where < 2) {
      const int falls = Next(7);
      game.coinState[i] = CoinState::Airborne;
      game.coinX[i] = kLeftLaneX + Next(kRightLaneX - kLeftLaneX + 1);
      game.coinY[i] = kDropLineY + 3 * falls * (falls + 1);
      game.coinVy[i] = 6 * falls;
    } else if (where < 4) {
      game.coinState[i] = CoinState::OnPusher;
      game.coinY[i] = kLandingLineY + Next(StepDownLineY(game.pusherStroke) - kLandingLineY);
    } else {
      game.coinState[i] = CoinState::OnField;
      game.coinY[i] = PusherFrontLineY(game.pusherStroke) + Next(kPayoutLineY - PusherFrontLineY(game.pusherStroke));
    }
  }
}

// Lets a crowded table run one pusher cycle, so that its contacts are
// recorded and its overlaps pushed apart as in a running game, then fills
// the slots that paid out or were swallowed again.
void Settle(int first, int last) {
  for (int t = 0; t < 10; ++t) GameTick(&window);
  Crowd(first, last);
}

}  // namespace

const char* CabinetName(Cabinet cabinet) {
  switch (cabinet) {
    case Cabinet::StartState: return "start";
    case Cabinet::BusyField: return "busy1000";
    case Cabinet::FullPool: return "fullpool";
  }
  return "?";
}

void BuildCabinet(Cabinet cabinet) {
  ResetProgramState();
  ResetGame(&window);
  seed = 12345;
  if (cabinet == Cabinet::BusyField) {
    Crowd(0, 1000);
    Settle(0, 1000);
  } else if (cabinet == Cabinet::FullPool) {
    Crowd(0, kCoinSlots);
    Settle(0, kCoinSlots);
  }
}

Snapshot::Snapshot() : saved_(std::make_unique<GameState>()) {}

void Snapshot::Save() { std::memcpy(static_cast<void*>(saved_.get()), &game, sizeof(GameState)); }

void Snapshot::Restore() const { std::memcpy(static_cast<void*>(&game), saved_.get(), sizeof(GameState)); }
