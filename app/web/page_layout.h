#pragma once
#include "app/session/window_view.h"

// The page shows what the desktop window's client area shows, 1:1, under its
// own menu bar.
inline constexpr int kGameAreaWidth = kClientAreaWidth;
inline constexpr int kGameAreaHeight = kClientAreaHeight;

// Where the cabinet stands in the game area (across, its base, the widest
// part; down, from the top of its back to the bottom), left of which the
// game draws its title and credit count: a phone held upright shows the
// cabinet alone, as large as it fits.
inline constexpr int kCabinetLeft = 100;
inline constexpr int kCabinetWidth = 217;
inline constexpr int kCabinetTop = 20;

inline constexpr const char* kGameElementId = "game";
inline constexpr const char* kAboutBandElementId = "about-band";
