#pragma once
#include "app/session/window_scale.h"

// What the desktop window's client area shows of the 1200 by 800 canvas at
// the window's opening size: the 400 by 450 window less its frame, caption
// and menu bar as Windows draws them at 96 dpi (8-pixel sizing borders, a
// 31-pixel caption and a 20-pixel menu bar). Every view that stands in for
// the window (the browser page, the videos) shows this part, so that all of
// them show the same picture.
inline constexpr int kClientAreaWidth = kWindowWidth - 2 * 8;
inline constexpr int kClientAreaHeight = kWindowHeight - 31 - 20 - 8;
