#pragma once
#include "app/session/window_view.h"

// The page shows what the desktop window's client area shows, 1:1, under its
// own menu bar.
inline constexpr int kGameAreaWidth = kClientAreaWidth;
inline constexpr int kGameAreaHeight = kClientAreaHeight;

inline constexpr const char* kGameElementId = "game";
inline constexpr const char* kAboutBandElementId = "about-band";
