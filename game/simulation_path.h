#pragma once
#include "game/state.h"

// The two pairwise passes of the pusher step. The production path is fast;
// tests and benchmarks can switch to the literal reference to compare.
struct SimulationPath {
  void (*refreshContacts)(CoinState state);
  void (*resolvePushes)(CoinState state, bool chanceRules);
};

const SimulationPath& ActivePath();
void UseSimulationPath(const SimulationPath& path);

// The literal pair-by-pair reading of the rules (every pair of in-state coins).
const SimulationPath& ReferencePath();
// The production path.
const SimulationPath& FastPath();
