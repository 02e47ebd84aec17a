#pragma once
#include <cstdint>

// What a front end lends to the core: the window the game draws for. The
// canvas presents its pixels through it and asks it for repaints; the
// session that drives the game starts the tick timer on it. The headless
// runner implements it without any window at all.
class WindowHost {
 public:
  virtual ~WindowHost() = default;

  // Start (or restart) timer `id` with the given period; every expiry must
  // reach the game as one tick, never caught up.
  virtual void StartTimer(int id, int periodMs) = 0;

  // Mark the whole client area as needing a paint, without erasing it.
  virtual void RequestRepaint() = 0;

  // Copy `width` by `height` pixels (0x00RRGGBB, rows top-down, no padding)
  // 1:1 to the client area's top-left corner. Called while painting.
  virtual void ShowPixels(const std::uint32_t* pixels, int width, int height) = 0;
};

// A host with no window: for games played where nobody watches.
class NoWindowHost : public WindowHost {
 public:
  void StartTimer(int, int) override {}
  void RequestRepaint() override {}
  void ShowPixels(const std::uint32_t*, int, int) override {}
};
