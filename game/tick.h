#pragma once
// Kept for the front ends that still include the tick by its old name; the
// tick and its canvas now live with the cabinet. New code includes
// "cabinet/tick.h". scripts/ci/include-graph.sh lists this file apart.
#include "cabinet/tick.h"
