#include "game/simulation_path.h"

namespace {
const SimulationPath* activePath = nullptr;
}

const SimulationPath& ActivePath() { return activePath ? *activePath : FastPath(); }

void UseSimulationPath(const SimulationPath& path) {
  const SimulationPath& previous = ActivePath();
  if (&previous == &path) return;
  if (previous.ownStore) previous.ownStore->store();
  activePath = &path;
  if (path.ownStore) path.ownStore->load();
}

void SyncContactMatrix() {
  if (const OwnContactStore* own = ActivePath().ownStore) own->store();
}
