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

// Fills slots [first, last) with coins lying on the table or the field, and
// lets a few ticks record their contacts and push them apart.
void Crowd(int first, int last) {
  for (int i = first; i < last; ++i) {
    const bool onField = Next(2) == 0;
    game.coinState[i] = onField ? CoinState::OnField : CoinState::OnPusher;
    game.coinX[i] = cabinetX + 10 + Next(185);
    game.coinY[i] = onField ? 250 + Next(90) : kLandingLineY + Next(60);
    game.coinVy[i] = 0;
  }
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
    Crowd(170, 1000);
  } else if (cabinet == Cabinet::FullPool) {
    Crowd(170, kCoinSlots);
  }
}

Snapshot::Snapshot() : saved_(std::make_unique<GameState>()) {}

void Snapshot::Save() { std::memcpy(static_cast<void*>(saved_.get()), &game, sizeof(GameState)); }

void Snapshot::Restore() const { std::memcpy(static_cast<void*>(&game), saved_.get(), sizeof(GameState)); }
