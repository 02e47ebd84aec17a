#pragma once
#include <cstdint>
#include <cstdio>
#include <vector>

// The pictures the window shows, one after another as bare RGBA bytes
// (kVideoWidth by kVideoHeight, rows top-down, nothing else), for a
// player's own encoder reading them as raw video.
class RawPictures {
 public:
  explicit RawPictures(std::FILE* to) : to_(to) {}
  // The window's part of a canvas picture (0x00RRGGBB); false when it
  // could not be written.
  bool Add(const std::uint32_t* canvasPixels, int canvasWidth);

 private:
  std::FILE* to_;
  std::vector<std::uint8_t> bytes_;
};
