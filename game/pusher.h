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

// Pushes apart the unbound pair i < j (same state, x within the push
// window) when their y differ by at most 12: the front coin ends 13 ahead of
// the rear one, except that with the chance rules a bonus coin i moves only
// on a one-in-ten draw, and then half as far. Returns the push distance d
// that the carry uses, or 0 when the pair does not overlap.
int PushApart(int i, int j, bool chanceRules);
