#pragma once
#include <cstddef>
#include <iterator>

#include "game/state.h"

// The game's counters, each written once: its key in a trace line, its name
// where a snapshot is refused, its field, the values the game can reach
// between two ticks, and its value at program start. Listed in the order a
// snapshot stores them; `traceSlot` is its place among the counters of a
// trace line, after the tick and the random state.
struct CounterFacts {
  const char* traceKey;
  const char* name;
  int GameState::*field;
  long long min, max;
  int start;
  int traceSlot;
};

inline constexpr long long kCounterMax = 2147483647;
inline constexpr CounterFacts kCounters[] = {
    {"stroke", "pusher stroke", &GameState::pusherStroke, -4, 1, -3, 2},
    {"retracting", "pusher direction", &GameState::pusherRetracting, 0, 1, 0, 3},
    {"gate", "gate offset", &GameState::gateOffset, 0, 144, 0, 4},
    {"gateReturning", "gate direction", &GameState::gateReturning, 0, 1, 0, 5},
    {"lotteryRow", "lottery row", &GameState::lotteryRow, 0, 2, 0, 6},
    {"lotteryColumn", "lottery column", &GameState::lotteryColumn, 0, 7, 0, 7},
    {"spinning", "lottery spin flag", &GameState::lotterySpinning, 0, 1, 0, 8},
    {"pending", "pending coin count", &GameState::pendingCoins, 0, kCounterMax, 0, 1},
    {"sweepRequested", "sweep request", &GameState::sweepRequested, 0, 1, 0, 9},
    {"sweepTimer", "sweep timer", &GameState::sweepTimer, 0, 46, 0, 10},
    {"magicRequested", "magic request", &GameState::magicRequested, 0, 1, 0, 11},
    {"magicTimer", "magic timer", &GameState::magicTimer, 0, 10, 0, 12},
    {"credits", "credit count", &GameState::credits, 0, kCounterMax, 0, 0},
};
inline constexpr std::size_t kCounterCount = std::size(kCounters);

// Every trace slot is taken once.
static_assert([] {
  bool taken[kCounterCount] = {};
  for (const CounterFacts& c : kCounters) {
    if (c.traceSlot < 0 || c.traceSlot >= static_cast<int>(kCounterCount) || taken[c.traceSlot]) return false;
    taken[c.traceSlot] = true;
  }
  return true;
}());
