#pragma once
#include <memory>
#include <vector>

#include "canvas/window_host.h"
#include "game/state.h"

// The tables the tick is measured on. Each builder leaves the game in that
// state, right before a tick.
enum class Cabinet { StartState, BusyField, FullPool };

const char* CabinetName(Cabinet cabinet);
void BuildCabinet(Cabinet cabinet);

// A fresh game with `coins` coins in play after a player has poured them in
// for a minute of play, most of them on the pusher and the field.
void BuildTableOf(int coins);

// A table as a long game leaves it: about 250 coins in play, a dozen of them
// bonus coins lying on the field under their markers.
void BuildRichTable();

// A saved copy of the whole game state, to measure many ticks from the same one.
class Snapshot {
 public:
  Snapshot();
  void Save();
  void Restore() const;

 private:
  std::unique_ptr<GameState> saved_;
};

// Ten saved states, one before each tick of a whole pusher cycle (five
// extend and five retract ticks) on the given table, each topped up again
// to its number of coins.
std::vector<Snapshot> CabinetCycle(Cabinet cabinet);
