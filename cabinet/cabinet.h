#pragma once
#include <cstdint>
#include <vector>

#include "cabinet/snapshot.h"
#include "canvas/window_host.h"
#include "game/play_stats.h"
#include "render/main_canvas.h"

// The one door into the game for the front ends, the session driver and
// the tools: the game's own code is behind it, and nothing out here reads
// or writes the game's state but through these calls, the snapshots
// (SaveSnapshot, LoadSnapshot) and the frame's pixels (mainCanvas). Sounds
// leave through SetSoundOutput, drawing through the window host.
namespace cabinet {

// Everything as a freshly started program holds it: for a second game in
// one process, or a record replayed from its start.
void ResetProgram();

// The clock the game asks of its window: every expiry of timer `id` is one
// Tick, never caught up.
struct TickTimer {
  int id;
  int periodMs;
};

// The window's creation: attaches the main canvas to `window` (null: no
// window) and seeds the table. The window's clock is the front end's: it
// starts the timer returned, once the reset is over.
TickTimer Create(WindowHost* window);

// A key-down, between two ticks.
void KeyDown(int virtualKey);

// One tick.
void Tick(WindowHost* window);

// The few facts a front end shows or records.
int Credits();
std::uint32_t RandomState();
std::int64_t TicksRun();
std::int64_t CoinsInPlay();
const PlayStats& Stats();

// What a trace line shows of the game between two ticks: its counters, and
// each coin in play (slot, state code, place, vertical speed).
struct Readout {
  std::uint32_t rand;
  int credits, pending, stroke, retracting, gate, gateReturning, lotteryRow, lotteryColumn, spinning;
  int sweepRequested, sweepTimer, magicRequested, magicTimer;
};
struct CoinReadout {
  int slot, state, x, y, vy;
};
Readout Read();
// The coins in play, in slot order, into `coins` (emptied first).
void ReadCoins(std::vector<CoinReadout>& coins);

// Free play and the runner's test aid: the credit count, set right after
// the creation reset.
void SetCredits(long long credits);

}  // namespace cabinet
