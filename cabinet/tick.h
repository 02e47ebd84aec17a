#pragma once
#include <cstdint>

#include "render/main_canvas.h"

class CoinPassHooks;

// Window creation: lottery and credits reset, canvas attached, 170 coins
// seeded and their first contacts recorded. The tick timer the window
// runs for it is started by the front end (cabinet::Create says which).
void ResetGame();

// One 200 ms tick, steps T1..T12 in their fixed order, drawn into the
// frame's display list; the repaint that T13 asks for is the caller's.
void GameTick();

// The cabinet's clock: ticks run since the creation reset.
std::int64_t CabinetTick();
// For a game continued from a snapshot: the clock as it stood.
void SetCabinetTick(std::int64_t tick);

// What the coin pass of T9 meets on its way: the gate, the coin sprites and
// the payout sounds. For running the pass on its own, as a tick runs it.
const CoinPassHooks& CabinetCoinPassHooks();
