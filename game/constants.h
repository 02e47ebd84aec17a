#pragma once

// Fixed sizes and cabinet geometry. Every line the game tests against is an
// offset from the cabinet origin.
inline constexpr int kCoinSlots = 5000;
inline constexpr int kNormalSlots = 4900;  // 0..4899 normal coins, 4900..4999 bonus coins
// Credits for a coin that falls into the tray; the bonus coin's marker says
// its number ("x50").
inline constexpr int kCoinCredits = 1;
inline constexpr int kBonusCoinCredits = 50;

inline constexpr int kCanvasWidth = 1200;
inline constexpr int kCanvasHeight = 800;
inline constexpr int kTickTimerId = 1;
inline constexpr int kTickPeriodMs = 200;

inline constexpr int cabinetX = 100;
inline constexpr int cabinetY = 150;

inline constexpr int kCoinSize = 15;
inline constexpr int kDropLineY = cabinetY - 140;
inline constexpr int kLeftLaneX = cabinetX + 60;
inline constexpr int kRightLaneX = cabinetX + 138;
inline constexpr int kReleaseBandWidth = 79;  // release x = left lane + rand % 79
inline constexpr int kScatterLineY = cabinetY - 66;
inline constexpr int kLandingLineY = cabinetY + 25;
inline constexpr int kPayoutLineY = cabinetY + 193;
inline constexpr int kTrayBandHeight = 40;
inline constexpr int kFallAcceleration = 6;

inline constexpr int kVirtualKeyLeft = 0x25;
inline constexpr int kVirtualKeyRight = 0x27;

// Lines that move with the pusher.
constexpr int StepDownLineY(int stroke) { return cabinetY + 8 * stroke + 103; }
constexpr int PusherFrontLineY(int stroke) { return cabinetY + 8 * stroke + 118; }
