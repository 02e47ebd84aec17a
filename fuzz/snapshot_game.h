#pragma once
#include <cstdint>
#include <vector>

// Real games for the snapshot fuzzer and its seeds: a fresh game after
// `ticks` ticks with coins bought in both lanes, and a snapshot of it.
void PlaySnapshotGame(int ticks);
