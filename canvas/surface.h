#pragma once
#include <algorithm>
#include <cstdint>

// A view of a canvas's pixels for the raster routines. Every write goes
// through FillSpan or Plot, which clip to the surface, so a shape anywhere in
// the 32-bit coordinate plane touches only the pixels that are really there.
struct Surface {
  std::uint32_t* pixels = nullptr;
  int width = 0;
  int height = 0;

  bool Empty() const { return pixels == nullptr || width <= 0 || height <= 0; }

  // Pixels x0..x1 (both included) of row y.
  void FillSpan(std::int64_t y, std::int64_t x0, std::int64_t x1, std::uint32_t colour) const {
    if (y < 0 || y >= height) return;
    x0 = std::max<std::int64_t>(x0, 0);
    x1 = std::min<std::int64_t>(x1, width - 1);
    if (x0 > x1) return;
    std::uint32_t* row = pixels + static_cast<std::int64_t>(width) * y;
    std::fill(row + x0, row + x1 + 1, colour);
  }

  void Plot(std::int64_t x, std::int64_t y, std::uint32_t colour) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return;
    pixels[static_cast<std::int64_t>(width) * y + x] = colour;
  }
};
