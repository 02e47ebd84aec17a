#pragma once
#include <windows.h>

#include <optional>

#include "app/session/shell_language.h"

// Asks, modally, the credits a free-play game starts with: one of the
// offered amounts or a typed number from 1 to kMostFreePlayCredits.
// Nothing when the player cancels.
inline constexpr long long kMostFreePlayCredits = 1000000;
std::optional<long long> AskFreePlayCredits(HWND owner, Language language);
