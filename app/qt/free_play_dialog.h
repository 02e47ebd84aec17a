#pragma once
#include <optional>

#include "app/session/shell_language.h"

class QWidget;

// Asks for the credits a free-play game starts with: one of the usual
// amounts or any typed in. None when the player cancels.
std::optional<long long> AskFreePlayCredits(QWidget* owner, Language language);
