#pragma once
#include <cstdint>

#include "shell_facts.h"

// Whole-number scaling of the desktop window, shared by the desktop shells.
// The game's pixels are shown as scale by scale blocks, so they stay as
// sharp on a large screen as at their own size.

inline constexpr int kMinWindowScale = 1;
inline constexpr int kMaxWindowScale = 8;

// The window's outer size at scale 1, frame, caption and menu bar included.
inline constexpr int kWindowWidth = shell_fact::kWindowSize[0];
inline constexpr int kWindowHeight = shell_fact::kWindowSize[1];

// The scale a window opens at when the player asks for none: the largest at
// which the scale-1 window fits in half the screen's height, and at least
// the display's own pixel ratio rounded down (a display that draws
// everything twice as large gets at least twice the game). Screen sizes are
// in device pixels.
int DefaultWindowScale(int screenHeight, double devicePixelRatio);

struct PixelSize {
  int width = 0;
  int height = 0;
};

// The outer size of a window at `scale` whose frame, caption and menu bar
// take `decoration` pixels across and down: the client area grows with the
// scale, the system's decoration does not.
PixelSize ScaledWindowSize(PixelSize decoration, int scale);

// The game area of a window at `scale`, in device pixels, whose frame and
// controls would take `decorationAtOne` at scale 1 and at the toolkit's own
// size: the scale-1 window's game area `scale` times over. A frame or menu
// bar larger than Windows draws them never shrinks it below the part of the
// canvas every view shows, or the cabinet's bottom would be cut off.
PixelSize ScaledGameArea(PixelSize decorationAtOne, int scale);

// How much larger than the toolkit would draw them the window's own
// controls (menus, boxes) are drawn to follow the game's pixels, when the
// toolkit already draws everything `devicePixelRatio` times larger: never
// smaller than the desktop asks.
double ControlsScale(int scale, double devicePixelRatio);

// Where a full screen shows the game: the part of the canvas the window
// shows when it opens, at the largest whole scale that fits, centred.
struct ScreenPlacement {
  int scale = 1;
  int left = 0;
  int top = 0;
  int width = 0;  // of the game area on the screen
  int height = 0;
};
ScreenPlacement FitFullscreen(PixelSize screen);

// A rectangle in device pixels: [left, left + width) by [top, top + height).
struct PixelRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// Copies the part `target` (device pixels) of a `canvasWidth` by
// `canvasHeight` canvas shown at `scale` with its top-left corner at
// `origin`, each canvas pixel as a scale by scale block, into `out`, which
// has room for target.width * target.height words. Only what the canvas
// covers is copied: the return value is that part of `target` (empty when
// there is none), written at `out` in rows of its own width.
PixelRect UpscaleNearest(const std::uint32_t* pixels, int canvasWidth, int canvasHeight, int scale, int originX,
                         int originY, PixelRect target, std::uint32_t* out);
