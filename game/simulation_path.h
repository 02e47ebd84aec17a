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

// The pair-by-pair reading of the rules, over every pair of in-state coins.
const SimulationPath& ReferencePath();
// The same over all 12,497,500 slot pairs of each pass, as the rules are
// written: the yardstick of the benchmarks.
const SimulationPath& LiteralPath();
// The production path.
const SimulationPath& FastPath();
