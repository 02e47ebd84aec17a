#pragma once
#include <windows.h>

#include "app/session/game_session.h"

// The statistics window: modeless beside the game, showing the session's
// statistics picture, redrawn once a second while it is open. Opening it
// again brings the open one to the front.
void ShowStatisticsWindow(HWND owner, GameSession& session, Language language);
// Its caption follows a switch of language; the picture asks in it too.
void SetStatisticsLanguage(Language language);
