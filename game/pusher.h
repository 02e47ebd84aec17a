#pragma once
#include "game/state.h"

// Step T3: one extend or retract tick of the pusher table.
void PusherStep();

// The pairwise push resolution among coins in `state`; chance rules apply
// to bonus coins in extend ticks.
void ResolvePushes(CoinState state, bool chanceRules);

// Push constants shared by every implementation of the pass.
inline constexpr int kRideStep = 8;
inline constexpr int kPushWindowX = 6;
inline constexpr int kOverlapWindowY = 12;
inline constexpr int kSeparation = 13;
inline constexpr int kBonusMoveChance = 10;
inline constexpr int kBonusCarryChance = 1000;
