#pragma once
#include <cstdint>
#include <vector>

// A decoded picture in the surface's own pixel layout: 0x00RRGGBB, rows
// top-down, no padding. Whatever the file held (palette, bit fields, alpha),
// only the colour survives, as it does when a bitmap is blitted onto an
// opaque 32-bit surface.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
};
