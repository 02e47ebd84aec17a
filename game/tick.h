#pragma once
#include <cstdint>

#include "canvas/canvas.h"
#include "canvas/window_host.h"

// The game's drawing surface, attached to the main window by ResetGame.
extern Canvas mainCanvas;

// Window creation: lottery and credits reset, canvas attached, tick timer
// started, 170 coins seeded and their first contacts recorded.
void ResetGame(WindowHost* window);

// One 200 ms tick, steps T1..T13 in their fixed order.
void GameTick(WindowHost* window);

// The cabinet's clock: ticks run since the creation reset.
std::int64_t CabinetTick();
// For a game continued from a snapshot: the clock as it stood.
void SetCabinetTick(std::int64_t tick);
