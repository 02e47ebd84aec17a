#pragma once
#include <cstdint>

// Pixels to show: 0x00RRGGBB, rows top-down, no padding.
struct PixelView {
  const std::uint32_t* pixels = nullptr;
  int width = 0, height = 0;
  // A source that composes each picture over the one before numbers them
  // from 1 and says where each can differ from the one numbered before it
  // (right and bottom not included), so that a window holding that one need
  // copy no more. 0: not numbered, any of it may be new.
  std::uint64_t number = 0;
  int changedLeft = 0, changedTop = 0, changedRight = 0, changedBottom = 0;
};

// What a front end lends to the game session: the window's clock and its
// repaints. The headless runner lends none and is the clock itself.
class GameHost {
 public:
  virtual ~GameHost() = default;

  // Start (or restart) timer `id` with the given period; every expiry must
  // reach the session as one Tick, never caught up.
  virtual void StartTimer(int id, int periodMs) = 0;

  // A new frame is ready: paint the game area from the session's Frame(),
  // without erasing it first.
  virtual void RequestRepaint() = 0;
};
