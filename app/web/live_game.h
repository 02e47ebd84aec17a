#pragma once
#include "app/web/page_window_host.h"
#include "app/web/browser_sound_output.h"

class GameSession;

// The game the page plays: its window host, and the one way to end it.
PageWindowHost& MainHost();
// Its session (null before the first start), and whether a replay link's
// presses still steer it.
GameSession* LiveSession();
bool WatchingReplay();

// Where the page's game sends its sound cues: the page's Web Audio player.
BrowserSoundOutput& PageSound();

// Stops the tick timer for good, keeping a kept game as it stands; the
// last frame stays on the page.
void StopLiveGame();

// Stops the page's game and lets go of its session: the game state is
// about to be replaced (a scripted test run), and nothing of it may be
// kept or recorded after this.
void ReplaceLiveGame();
