#include "game/simulation_path.h"

namespace {
const SimulationPath* activePath = nullptr;
}

const SimulationPath& ActivePath() { return activePath ? *activePath : FastPath(); }

void UseSimulationPath(const SimulationPath& path) { activePath = &path; }
