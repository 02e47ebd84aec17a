#include "canvas/sprite_plan.h"

#include <algorithm>
#include <cstring>

#include "canvas/cover_map.h"
#include "canvas/sprite_compositor.h"

namespace {

enum class PixelKind : std::uint8_t { Clear, Covered, Mixed };

// Result (d | m) & i: it is i for every d when i has no bit that m lacks,
// and d itself for every 0x00RRGGBB d when i keeps all colour bits and m
// adds none (nor a top-byte bit i keeps).
PixelKind KindOf(std::uint32_t mask, std::uint32_t image) {
  if ((image & ~mask) == 0) return PixelKind::Covered;
  if ((image & 0x00FFFFFFu) == 0x00FFFFFFu && (mask & 0x00FFFFFFu) == 0 && (mask & image & 0xFF000000u) == 0)
    return PixelKind::Clear;
  return PixelKind::Mixed;
}

}  // namespace

bool BuildSpritePlan(const Picture* image, const Picture* mask, int w, int h, SpritePlan& plan) {
  plan = SpritePlan{};
  if (image && image->pixels.empty()) image = nullptr;
  if (mask && mask->pixels.empty()) mask = nullptr;
  if ((!image && !mask) || w <= 0 || h <= 0 || static_cast<std::int64_t>(w) * h > kMaxPlannedPixels) return false;
  plan.width = w;
  plan.height = h;

  // Each combination as the full rule: without a mask the image is ANDed
  // alone (a zero mask), without an image the mask stands for it too.
  std::vector<int> imageColumns(static_cast<std::size_t>(w)), maskColumns(static_cast<std::size_t>(w));
  for (int dx = 0; dx < w; ++dx) {
    if (image) imageColumns[dx] = StretchSource(dx, w, image->width);
    if (mask) maskColumns[dx] = StretchSource(dx, w, mask->width);
  }
  std::vector<std::uint32_t> rowMask(static_cast<std::size_t>(w)), rowImage(static_cast<std::size_t>(w));
  std::vector<PixelKind> kinds(static_cast<std::size_t>(w));
  plan.rowRuns.reserve(static_cast<std::size_t>(h) + 1);
  plan.solid.resize(static_cast<std::size_t>(h));
  for (int dy = 0; dy < h; ++dy) {
    plan.rowRuns.push_back(plan.runs.size());
    SpritePlan::Span& solid = plan.solid[static_cast<std::size_t>(dy)];
    const std::uint32_t* imageRow =
        image ? image->pixels.data() + static_cast<std::size_t>(StretchSource(dy, h, image->height)) * image->width
              : nullptr;
    const std::uint32_t* maskRow =
        mask ? mask->pixels.data() + static_cast<std::size_t>(StretchSource(dy, h, mask->height)) * mask->width
             : nullptr;
    for (int dx = 0; dx < w; ++dx) {
      const std::uint32_t m = maskRow ? maskRow[maskColumns[dx]] : 0u;
      const std::uint32_t i = imageRow ? imageRow[imageColumns[dx]] : m;
      rowMask[dx] = m;
      rowImage[dx] = i;
      kinds[dx] = KindOf(m, i);
    }
    for (int start = 0; start < w;) {
      const PixelKind kind = kinds[start];
      int end = start + 1;
      while (end < w && kinds[end] == kind) ++end;
      if (kind != PixelKind::Clear) {
        SpritePlan::Run run;
        run.start = start;
        run.length = end - start;
        run.kind = kind == PixelKind::Covered ? SpritePlan::Kind::Covered : SpritePlan::Kind::Mixed;
        run.values = plan.values.size();
        if (kind == PixelKind::Mixed) plan.values.insert(plan.values.end(), &rowMask[start], &rowMask[0] + end);
        plan.values.insert(plan.values.end(), &rowImage[start], &rowImage[0] + end);
        plan.runs.push_back(run);
        if (kind == PixelKind::Covered && end - start > solid.end - solid.start) solid = {start, end};
      }
      start = end;
    }
  }
  plan.rowRuns.push_back(plan.runs.size());
  return true;
}

namespace {

// Sprite columns [from, to) of sprite row `ly`, onto surface row `row` (the
// pixel of sprite column 0 at row[x]).
void BlitRow(std::uint32_t* row, std::int64_t x, const SpritePlan& plan, std::size_t ly, std::int64_t from,
             std::int64_t to) {
  const SpritePlan::Run* runs = plan.runs.data();
  const std::uint32_t* values = plan.values.data();
  const std::size_t r1 = plan.rowRuns[ly + 1];
  for (std::size_t r = plan.rowRuns[ly]; r < r1; ++r) {
    const SpritePlan::Run& run = runs[r];
    if (run.start >= to) break;
    const std::int64_t a = std::max<std::int64_t>(run.start, from);
    const std::int64_t b = std::min<std::int64_t>(run.start + run.length, to);
    if (a >= b) continue;
    std::uint32_t* dst = row + (x + a);
    const std::int64_t skip = a - run.start;
    const std::int64_t n = b - a;
    if (run.kind == SpritePlan::Kind::Covered) {
      std::memcpy(dst, values + run.values + skip, static_cast<std::size_t>(n) * sizeof *dst);
    } else {
      const std::uint32_t* m = values + run.values + skip;
      const std::uint32_t* i = values + run.values + run.length + skip;
      for (std::int64_t k = 0; k < n; ++k) dst[k] = (dst[k] | m[k]) & i[k];
    }
  }
}

}  // namespace

void BlitSpritePlan(const Surface& surface, std::int64_t x, std::int64_t y, const SpritePlan& plan,
                    const CoverMap* covers, std::size_t order) {
  if (surface.Empty()) return;
  const std::int64_t x0 = std::max<std::int64_t>(x, surface.Left());
  const std::int64_t x1 = std::min<std::int64_t>(x + plan.width, surface.Right());
  const std::int64_t y0 = std::max<std::int64_t>(y, surface.Top());
  const std::int64_t y1 = std::min<std::int64_t>(y + plan.height, surface.Bottom());
  if (x0 >= x1 || y0 >= y1) return;
  if (covers && !covers->CoversAfter(order)) covers = nullptr;
  for (std::int64_t dy = y0; dy < y1; ++dy) {
    std::uint32_t* row = surface.pixels + dy * surface.width;
    const std::size_t ly = static_cast<std::size_t>(dy - y);
    // The visible columns in the sprite's own numbering.
    if (!covers) {
      BlitRow(row, x, plan, ly, x0 - x, x1 - x);
      continue;
    }
    covers->ForEachUncovered(order, dy, x0, x1,
                             [&](std::int64_t a, std::int64_t b) { BlitRow(row, x, plan, ly, a - x, b - x); });
  }
}
