#pragma once
#include "app/session/game_session.h"
#include "app/session/shell_settings.h"

// The page's controls outside the game: its settings (kept by shell.js in
// the browser's storage), the menus built from them, and the pauses that
// are the page's rather than the player's.
const ShellSettings& PageSettings();

// A session just started takes the page's pause in the background, if the
// page is hidden now and the setting asks for it.
void ApplyPagePauses(GameSession& session);
