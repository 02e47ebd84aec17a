#pragma once
#include "game/state.h"

// A contact store of its own, kept apart from game.contactMatrix. While a
// path with one is active, its store holds the codes: switching to it loads
// the codes from game.contactMatrix, switching away stores them back.
struct OwnContactStore {
  void (*load)();
  void (*store)();
  void (*buildInitialContacts)();
  void (*addContactsOfCoin)(int n);
  void (*clearContactsOfCoin)(int n);
};

// The two pairwise passes of the pusher step, and where the contact codes
// live. The production path is fast; tests and benchmarks can switch to the
// reference readings to compare.
struct SimulationPath {
  void (*refreshContacts)(CoinState state);
  void (*resolvePushes)(CoinState state, bool chanceRules);
  const OwnContactStore* ownStore = nullptr;  // null: game.contactMatrix
};

const SimulationPath& ActivePath();
void UseSimulationPath(const SimulationPath& path);

// Brings game.contactMatrix up to date with the active path's own store, if
// it has one, so that the codes can be read there.
void SyncContactMatrix();

// The pair-by-pair reading of the rules, over every pair of in-state coins.
const SimulationPath& ReferencePath();
// The design exactly as written: a dense table of 5000 x 5000 ints, every
// one of the 12,497,500 slot pairs visited in each pass, a full scan of the
// pool for every carry. The yardstick of the benchmarks.
const SimulationPath& LiteralPath();
// The production path.
const SimulationPath& FastPath();
