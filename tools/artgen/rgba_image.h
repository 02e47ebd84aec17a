#pragma once
// A picture with soft alpha, for the application icons.
#include <cstdint>
#include <vector>

namespace artgen {

struct Rgba {
  std::uint8_t r = 0, g = 0, b = 0, a = 0;
};

struct RgbaImage {
  int width = 0;
  int height = 0;
  std::vector<Rgba> pixels;  // rows top-down

  RgbaImage(int w, int h) : width(w), height(h), pixels(static_cast<std::size_t>(w) * h) {}
  Rgba& At(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
  const Rgba& At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

}  // namespace artgen
