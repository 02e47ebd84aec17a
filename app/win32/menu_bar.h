#pragma once
#include <windows.h>

#include "app/session/shell_commands.h"

// The window's menu bar, made from the shells' one description of it, so
// that a switch of language only makes it anew.
HMENU BuildMenuBar(Language language);

// Sets the ticks, radio marks and greyed items of `popup` (a menu about to
// open) from what the window knows now.
void ShowMenuState(HMENU popup, const ShellState& state);

// Whether the system's menu face, with the faces the system links to it,
// draws Japanese. A Wine without a Japanese face draws empty boxes, and
// the menus, boxes and banner the system draws would not read.
bool MenusDrawJapanese();
