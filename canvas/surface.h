#pragma once
#include <algorithm>
#include <cstdint>

// A view of a canvas's pixels for the raster routines. Every write goes
// through FillSpan or Plot, which clip to the surface, so a shape anywhere in
// the 32-bit coordinate plane touches only the pixels that are really there.
// The clip rectangle narrows that further, to the part of the surface a
// viewer shows: every pixel a raster routine writes depends on that pixel
// alone, so what lands inside the clip is the same as without it.
struct Surface {
  std::uint32_t* pixels = nullptr;
  int width = 0;
  int height = 0;
  // The writable part, [clipLeft, clipRight) by [clipTop, clipBottom); it
  // may reach past the surface, whose edges cut it (Left .. Bottom).
  int clipLeft = 0;
  int clipTop = 0;
  int clipRight = INT32_MAX;
  int clipBottom = INT32_MAX;

  bool Empty() const { return pixels == nullptr || width <= 0 || height <= 0; }

  // The clip rectangle cut to the surface.
  int Left() const { return std::max(clipLeft, 0); }
  int Top() const { return std::max(clipTop, 0); }
  int Right() const { return std::min(clipRight, width); }
  int Bottom() const { return std::min(clipBottom, height); }

  // Pixels x0..x1 (both included) of row y.
  void FillSpan(std::int64_t y, std::int64_t x0, std::int64_t x1, std::uint32_t colour) const {
    if (y < Top() || y >= Bottom()) return;
    x0 = std::max<std::int64_t>(x0, Left());
    x1 = std::min<std::int64_t>(x1, Right() - 1);
    if (x0 > x1) return;
    std::uint32_t* row = pixels + static_cast<std::int64_t>(width) * y;
    std::fill(row + x0, row + x1 + 1, colour);
  }

  void Plot(std::int64_t x, std::int64_t y, std::uint32_t colour) const {
    if (x < Left() || y < Top() || x >= Right() || y >= Bottom()) return;
    pixels[static_cast<std::int64_t>(width) * y + x] = colour;
  }
};
