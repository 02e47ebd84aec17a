#pragma once

// What the desktop window's client area shows of the 1200 by 800 canvas:
// the 400 by 450 window less its frame, caption and menu bar as Windows
// draws them at 96 dpi (8-pixel sizing borders, a 31-pixel caption and a
// 20-pixel menu bar). The page shows the same part, 1:1, under its own
// menu bar.
inline constexpr int kGameAreaWidth = 400 - 2 * 8;
inline constexpr int kGameAreaHeight = 450 - 31 - 20 - 8;

inline constexpr const char* kGameElementId = "game";
inline constexpr const char* kAboutBandElementId = "about-band";
