#include "canvas/sprite_compositor.h"

#include <algorithm>

namespace {

enum class Combine { MaskThenImage, ImageOnly, MaskOnly };

void MapColumns(std::vector<int>& columns, std::int64_t firstOffset, std::int64_t count, std::int64_t w,
                int sourceWidth) {
  columns.resize(static_cast<std::size_t>(count));
  for (std::int64_t i = 0; i < count; ++i) columns[i] = StretchSource(firstOffset + i, w, sourceWidth);
}

template <Combine kMode>
void CombineRows(const Surface& surface, std::int64_t x0, std::int64_t x1, std::int64_t y0, std::int64_t y1,
                 std::int64_t y, std::int64_t h, const Picture* image, const Picture* mask,
                 const SpriteScratch& scratch) {
  const std::int64_t count = x1 - x0;
  for (std::int64_t dy = y0; dy < y1; ++dy) {
    std::uint32_t* dst = surface.pixels + dy * surface.width + x0;
    const std::uint32_t* imageRow = nullptr;
    const std::uint32_t* maskRow = nullptr;
    if (image)
      imageRow =
          image->pixels.data() + static_cast<std::size_t>(StretchSource(dy - y, h, image->height)) * image->width;
    if (mask)
      maskRow = mask->pixels.data() + static_cast<std::size_t>(StretchSource(dy - y, h, mask->height)) * mask->width;
    const int* ic = scratch.imageColumns.data();
    const int* mc = scratch.maskColumns.data();
    for (std::int64_t i = 0; i < count; ++i) {
      if constexpr (kMode == Combine::MaskThenImage) {
        dst[i] = (dst[i] | maskRow[mc[i]]) & imageRow[ic[i]];
      } else if constexpr (kMode == Combine::ImageOnly) {
        dst[i] &= imageRow[ic[i]];
      } else {
        dst[i] = maskRow[mc[i]];
      }
    }
  }
}

}  // namespace

void CompositeSprite(const Surface& surface, std::int64_t x, std::int64_t y, std::int64_t w, std::int64_t h,
                     const Picture* image, const Picture* mask, SpriteScratch& scratch) {
  if (surface.Empty() || w <= 0 || h <= 0) return;
  if (image && image->pixels.empty()) image = nullptr;
  if (mask && mask->pixels.empty()) mask = nullptr;
  if (!image && !mask) return;

  const std::int64_t x0 = std::max<std::int64_t>(x, surface.Left());
  const std::int64_t x1 = std::min<std::int64_t>(x + w, surface.Right());
  const std::int64_t y0 = std::max<std::int64_t>(y, surface.Top());
  const std::int64_t y1 = std::min<std::int64_t>(y + h, surface.Bottom());
  if (x0 >= x1 || y0 >= y1) return;

  if (image) MapColumns(scratch.imageColumns, x0 - x, x1 - x0, w, image->width);
  if (mask) MapColumns(scratch.maskColumns, x0 - x, x1 - x0, w, mask->width);
  if (image && mask) {
    CombineRows<Combine::MaskThenImage>(surface, x0, x1, y0, y1, y, h, image, mask, scratch);
  } else if (image) {
    CombineRows<Combine::ImageOnly>(surface, x0, x1, y0, y1, y, h, image, mask, scratch);
  } else {
    CombineRows<Combine::MaskOnly>(surface, x0, x1, y0, y1, y, h, image, mask, scratch);
  }
}
