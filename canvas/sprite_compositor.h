#pragma once
#include <cstdint>
#include <vector>

#include "canvas/picture.h"
#include "canvas/surface.h"

// Column lookups reused from one sprite to the next, so that composing a
// frame allocates nothing once the first frame has been drawn.
struct SpriteScratch {
  std::vector<int> imageColumns;
  std::vector<int> maskColumns;
};

// Source pixel for destination pixel `d` of `destSize` when `sourceSize`
// pixels are stretched (or squeezed) onto them: the source pixel under the
// destination pixel's centre, the nearest-pixel rule of a colour-on-colour
// stretch. Equal sizes map one to one.
inline int StretchSource(std::int64_t d, std::int64_t destSize, int sourceSize) {
  if (destSize == sourceSize) return static_cast<int>(d);
  return static_cast<int>(((2 * d + 1) * sourceSize) / (2 * destSize));
}

// Combines a sprite into the surface over the rectangle (x, y, w, h), with
// both pictures stretched to w by h: the mask by OR, then the image by AND,
// so each pixel becomes (canvas OR mask) AND image. A missing picture
// (null) leaves its combination out, except that a missing image with a
// mask present combines the mask a second time, giving the mask itself.
// Only the part of the rectangle inside the surface's clip is touched.
void CompositeSprite(const Surface& surface, std::int64_t x, std::int64_t y, std::int64_t w, std::int64_t h,
                     const Picture* image, const Picture* mask, SpriteScratch& scratch);
