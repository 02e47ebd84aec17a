#pragma once
#include "app/session/game_history.h"
#include "app/session/session_summary.h"
#include "app/session/shell_language.h"
#include "cabinet/cabinet.h"

// The statistics picture's canvas, the same in every shell and the runner.
inline constexpr int kStatisticsPictureWidth = 640;
inline constexpr int kStatisticsPictureHeight = 480;

// What the account shows of the game as it is this moment.
struct GameNow {
  int credits = 0;
  long long coinsInPlay = 0;
  int tickPeriodMs = 200;
};

// The statistics picture as drawing calls on a canvas of the size above,
// into `out` (emptied first): the account of the game, in the very counts
// its summary prints, and the credits and the coins in play plotted over
// the whole game, with the lottery's prizes marked along the time axis.
// Its texts are in `language`.
void ListStatisticsPicture(const SessionSummary& summary, const GameHistory& history, const GameNow& now,
                           Language language, DisplayList& out);
