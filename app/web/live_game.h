#pragma once
#include "app/web/page_window_host.h"

// The game the page plays: its window host, and the one way to end it.
PageWindowHost& MainHost();

// Stops the tick timer for good; the last frame stays on the page.
void StopLiveGame();
