#pragma once

// The About box's drawing band, the same in every shell: a canvas of its own,
// cleared to black and repainted by the box's timer while the box is open.
inline constexpr int kAboutBandWidth = 500;
inline constexpr int kAboutBandHeight = 100;
inline constexpr int kAboutBandTimerId = 1;
inline constexpr int kAboutBandPeriodMs = 50;
