#include "canvas/shape_raster.h"

#include <cmath>
#include <utility>

#include "canvas/pen_raster.h"

namespace {

constexpr double kSampleBias = 1.0 / 1024.0;

struct Box {
  std::int64_t left, top, right, bottom;  // outline pixels, all included
};

// False when the normalised box holds no pixel.
bool OutlineBox(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom, Box& box) {
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
  if (right - left < 1 || bottom - top < 1) return false;
  box = {left, top, right - 1, bottom - 1};
  return true;
}

// Rows of the surface that a figure spanning top..bottom (plus a margin)
// can reach.
std::int64_t FirstRow(double top) { return std::max<std::int64_t>(0, static_cast<std::int64_t>(std::floor(top))); }
std::int64_t LastRow(const Surface& s, double bottom) {
  return std::min<std::int64_t>(s.height - 1, static_cast<std::int64_t>(std::ceil(bottom)));
}

// The pixels x of row y whose biased sample lies inside the ellipse with
// centre (cx, cy) and radii (rx, ry); false when none does.
bool EllipseRow(double cx, double cy, double rx, double ry, double y, std::int64_t& from, std::int64_t& to) {
  if (!(rx > 0.0) || !(ry > 0.0)) return false;
  const double v = (y + kSampleBias - cy) / ry;
  const double left = 1.0 - v * v;
  if (left < 0.0) return false;
  const double half = rx * std::sqrt(left);
  const double lo = std::ceil(cx - half - kSampleBias);
  const double hi = std::floor(cx + half - kSampleBias);
  if (lo > hi) return false;
  from = static_cast<std::int64_t>(lo);
  to = static_cast<std::int64_t>(hi);
  return true;
}

}  // namespace

void DrawRectangleFigure(const Surface& surface, std::int64_t left, std::int64_t top, std::int64_t right,
                         std::int64_t bottom, int penWidth, std::uint32_t penColour, std::uint32_t brushColour) {
  Box box;
  if (surface.Empty() || !OutlineBox(left, top, right, bottom, box)) return;
  const std::int64_t y0 = std::max<std::int64_t>(box.top + 1, 0);
  const std::int64_t y1 = std::min<std::int64_t>(box.bottom - 1, surface.height - 1);
  for (std::int64_t y = y0; y <= y1; ++y) surface.FillSpan(y, box.left + 1, box.right - 1, brushColour);

  if (penWidth <= 1) {
    surface.FillSpan(box.top, box.left, box.right, penColour);
    surface.FillSpan(box.bottom, box.left, box.right, penColour);
    const std::int64_t s0 = std::max<std::int64_t>(box.top, 0);
    const std::int64_t s1 = std::min<std::int64_t>(box.bottom, surface.height - 1);
    for (std::int64_t y = s0; y <= s1; ++y) {
      surface.Plot(box.left, y, penColour);
      surface.Plot(box.right, y, penColour);
    }
    return;
  }
  const double r = penWidth / 2.0;
  const double l = static_cast<double>(box.left), t = static_cast<double>(box.top);
  const double rr = static_cast<double>(box.right), b = static_cast<double>(box.bottom);
  FillRoundCappedSegment(surface, l, t, rr, t, r, penColour);
  FillRoundCappedSegment(surface, rr, t, rr, b, r, penColour);
  FillRoundCappedSegment(surface, rr, b, l, b, r, penColour);
  FillRoundCappedSegment(surface, l, b, l, t, r, penColour);
}

void DrawEllipseFigure(const Surface& surface, std::int64_t left, std::int64_t top, std::int64_t right,
                       std::int64_t bottom, int penWidth, std::uint32_t penColour, std::uint32_t brushColour) {
  Box box;
  if (surface.Empty() || !OutlineBox(left, top, right, bottom, box)) return;
  const double cx = (static_cast<double>(box.left) + static_cast<double>(box.right)) / 2.0;
  const double cy = (static_cast<double>(box.top) + static_cast<double>(box.bottom)) / 2.0;
  const double rx = (static_cast<double>(box.right) - static_cast<double>(box.left)) / 2.0;
  const double ry = (static_cast<double>(box.bottom) - static_cast<double>(box.top)) / 2.0;

  if (penWidth <= 1) {
    // The ellipse's pixel set reaches the outline box exactly; a pixel is on
    // the outline when one of its four neighbours is outside the set.
    const double ex = rx + 0.5, ey = ry + 0.5;
    auto row = [&](std::int64_t y, std::int64_t& from, std::int64_t& to) {
      if (y < box.top || y > box.bottom) return false;
      return EllipseRow(cx, cy, ex, ey, static_cast<double>(y) - kSampleBias, from, to);
    };
    const std::int64_t y0 = std::max<std::int64_t>(box.top, 0);
    const std::int64_t y1 = std::min<std::int64_t>(box.bottom, surface.height - 1);
    for (std::int64_t y = y0; y <= y1; ++y) {
      std::int64_t from, to, aboveFrom, aboveTo, belowFrom, belowTo;
      if (!row(y, from, to)) continue;
      std::int64_t innerFrom = from + 1, innerTo = to - 1;
      if (row(y - 1, aboveFrom, aboveTo) && row(y + 1, belowFrom, belowTo)) {
        innerFrom = std::max({innerFrom, aboveFrom, belowFrom});
        innerTo = std::min({innerTo, aboveTo, belowTo});
      } else {
        innerFrom = to + 1;  // a top or bottom row is all outline
        innerTo = to;
      }
      if (innerFrom > innerTo) {
        surface.FillSpan(y, from, to, penColour);
        continue;
      }
      surface.FillSpan(y, innerFrom, innerTo, brushColour);
      surface.FillSpan(y, from, innerFrom - 1, penColour);
      surface.FillSpan(y, innerTo + 1, to, penColour);
    }
    return;
  }

  const double half = penWidth / 2.0;
  const std::int64_t y0 = FirstRow(cy - ry - half - 1.0);
  const std::int64_t y1 = LastRow(surface, cy + ry + half + 1.0);
  for (std::int64_t y = y0; y <= y1; ++y) {
    std::int64_t outerFrom, outerTo, innerFrom, innerTo;
    const double sy = static_cast<double>(y);
    if (!EllipseRow(cx, cy, rx + half, ry + half, sy, outerFrom, outerTo)) continue;
    if (!EllipseRow(cx, cy, rx - half, ry - half, sy, innerFrom, innerTo)) {
      surface.FillSpan(y, outerFrom, outerTo, penColour);
      continue;
    }
    surface.FillSpan(y, innerFrom, innerTo, brushColour);
    surface.FillSpan(y, outerFrom, innerFrom - 1, penColour);
    surface.FillSpan(y, innerTo + 1, outerTo, penColour);
  }
}
