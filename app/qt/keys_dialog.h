#pragma once
#include "app/session/shell_language.h"

class QWidget;

// The Keys window: every key of the game and of the window, and what it
// does, until the player closes it.
void ShowKeysDialog(QWidget* owner, Language language);
