#pragma once
#include "canvas/display_list.h"

// A picture between two ticks: the later tick's drawing calls, in its
// order, with every moving thing it shares with the earlier tick (the same
// coin slot, the pusher, the gate, the sweeper, the magic figure, a bonus
// marker) put `fraction` of the way from where it was to where it is, in
// whole canvas pixels; the pusher's size follows the same way. A thing that
// is new, or that jumped further than anything moves in a tick (a slot
// taken again by a new coin), is drawn where the later tick has it, as is
// everything that does not move. At fraction 1 the list is the later
// tick's, call for call.
void ListInBetween(const DisplayList& from, const DisplayList& to, double fraction, DisplayList& out);

// Further than this in either direction in one tick is not one thing moving.
inline constexpr int kLongestStepInATick = 48;
