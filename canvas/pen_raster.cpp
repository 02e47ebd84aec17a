#include "canvas/pen_raster.h"

#include <cmath>
#include <cstdlib>

namespace {

// A sample point sits a hair below and right of the pixel's centre, which
// turns "on the outline" into a definite inside or outside following the
// top-left convention of filled shapes.
constexpr double kSampleBias = 1.0 / 1024.0;

struct Interval {
  double lo = 1.0;
  double hi = 0.0;
  bool Empty() const { return lo > hi; }
  void Hull(const Interval& other) {
    if (other.Empty()) return;
    if (Empty()) {
      *this = other;
      return;
    }
    lo = std::min(lo, other.lo);
    hi = std::max(hi, other.hi);
  }
};

// The x for which lo <= k * x + c <= hi.
Interval SolveLinear(double k, double c, double lo, double hi) {
  if (k == 0.0) return (lo <= c && c <= hi) ? Interval{-HUGE_VAL, HUGE_VAL} : Interval{};
  double a = (lo - c) / k;
  double b = (hi - c) / k;
  if (a > b) std::swap(a, b);
  return {a, b};
}

Interval Intersect(Interval a, Interval b) { return {std::max(a.lo, b.lo), std::min(a.hi, b.hi)}; }

Interval DiscRow(double cx, double cy, double radius, double y) {
  const double dy = y - cy;
  const double left = radius * radius - dy * dy;
  if (left < 0.0) return {};
  const double half = std::sqrt(left);
  return {cx - half, cx + half};
}

// Cuts the segment down to the part inside the box; false when none is.
bool ClipSegment(double& x1, double& y1, double& x2, double& y2, double minX, double minY, double maxX, double maxY) {
  const double dx = x2 - x1;
  const double dy = y2 - y1;
  double t0 = 0.0;
  double t1 = 1.0;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {x1 - minX, maxX - x1, y1 - minY, maxY - y1};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0.0) {
      if (q[i] < 0.0) return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0.0) {
      t0 = std::max(t0, t);
    } else {
      t1 = std::min(t1, t);
    }
    if (t0 > t1) return false;
  }
  const double ox = x1;
  const double oy = y1;
  if (t1 < 1.0) {
    x2 = ox + t1 * dx;
    y2 = oy + t1 * dy;
  }
  if (t0 > 0.0) {
    x1 = ox + t0 * dx;
    y1 = oy + t0 * dy;
  }
  return true;
}

// floor((2 * step * minor + major) / (2 * major)) and its remainder, without
// overflow: step and minor can each approach 2^32, so their product is
// split into 16-bit halves of `minor` and divided in two stages.
void MinorOffset(std::int64_t step, std::int64_t minor, std::int64_t major, std::int64_t& offset,
                 std::int64_t& remainder) {
  const std::int64_t high = minor >> 16, low = minor & 0xFFFF;
  const std::int64_t t1 = step * high;  // < 2^50
  const std::int64_t q1 = t1 / major, r1 = t1 % major;
  const std::int64_t t2 = (r1 << 16) + step * low;  // < 2^50
  const std::int64_t q2 = t2 / major, r2 = t2 % major;
  // step * minor = (q1 * 2^16 + q2) * major + r2
  const std::int64_t tail = 2 * r2 + major;
  offset = (q1 << 16) + q2 + tail / (2 * major);
  remainder = tail % (2 * major);
}

// Single-pixel pen. Pixel i of the line, 0 <= i < n along the major axis,
// lies at minor offset round(i * minor / major), halves rounding away from
// the start. Only the steps that fall on the surface are visited, so a line
// from far outside costs no more than one across the surface.
void DrawThinLine(const Surface& surface, std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2,
                  std::uint32_t colour) {
  const std::int64_t adx = std::llabs(x2 - x1);
  const std::int64_t ady = std::llabs(y2 - y1);
  const std::int64_t sx = x2 >= x1 ? 1 : -1;
  const std::int64_t sy = y2 >= y1 ? 1 : -1;
  const bool xMajor = adx >= ady;
  const std::int64_t major = xMajor ? adx : ady;
  const std::int64_t minor = xMajor ? ady : adx;
  if (major == 0) return;
  const std::int64_t start = xMajor ? x1 : y1;
  const std::int64_t step = xMajor ? sx : sy;
  const std::int64_t extent = xMajor ? surface.width : surface.height;

  // Steps whose major coordinate lies on the surface.
  std::int64_t first = step > 0 ? -start : start - (extent - 1);
  std::int64_t last = step > 0 ? extent - 1 - start : start;
  first = std::max<std::int64_t>(first, 0);
  last = std::min<std::int64_t>(last, major - 1);
  if (first > last) return;

  const std::int64_t twiceMajor = 2 * major;
  std::int64_t offset = 0, remainder = 0;
  MinorOffset(first, minor, major, offset, remainder);
  for (std::int64_t i = first; i <= last; ++i) {
    const std::int64_t along = start + step * i;
    const std::int64_t across = (xMajor ? y1 : x1) + (xMajor ? sy : sx) * offset;
    if (xMajor) {
      surface.Plot(along, across, colour);
    } else {
      surface.Plot(across, along, colour);
    }
    remainder += 2 * minor;
    if (remainder >= twiceMajor) {
      remainder -= twiceMajor;
      ++offset;
    }
  }
}

}  // namespace

void FillRoundCappedSegment(const Surface& surface, double x1, double y1, double x2, double y2, double radius,
                            std::uint32_t colour) {
  if (surface.Empty() || !(radius > 0.0)) return;
  // Work on the part near the surface only: far-off end points would cost
  // precision, and their caps could not reach the surface anyway.
  const double margin = radius + 2.0;
  const bool degenerate = x1 == x2 && y1 == y2;
  if (!ClipSegment(x1, y1, x2, y2, -margin, -margin, surface.width - 1 + margin, surface.height - 1 + margin)) return;
  const double dx = x2 - x1;
  const double dy = y2 - y1;
  const double length = std::sqrt(dx * dx + dy * dy);

  const double top = std::max(0.0, std::floor(std::min(y1, y2) - radius));
  const double bottom = std::min(surface.height - 1.0, std::ceil(std::max(y1, y2) + radius));
  for (double py = top; py <= bottom; ++py) {
    const double y = py + kSampleBias;
    Interval row = DiscRow(x1, y1, radius, y);
    row.Hull(DiscRow(x2, y2, radius, y));
    if (!degenerate && length > 0.0) {
      // Between the caps: 0 <= (p - a).d <= |d|^2 and |(p - a) x d| <= r |d|.
      const double along0 = (y - y1) * dy;
      const double across0 = -(y - y1) * dx;
      const Interval body = Intersect(SolveLinear(dx, along0 - x1 * dx, 0.0, length * length),
                                      SolveLinear(dy, across0 - x1 * dy, -radius * length, radius * length));
      row.Hull(body);
    }
    if (row.Empty()) continue;
    const double from = std::ceil(row.lo - kSampleBias);
    const double to = std::floor(row.hi - kSampleBias);
    if (from > to || to < 0.0 || from > surface.width - 1.0) continue;
    surface.FillSpan(static_cast<std::int64_t>(py), static_cast<std::int64_t>(std::max(from, -1.0)),
                     static_cast<std::int64_t>(std::min(to, static_cast<double>(surface.width))), colour);
  }
}

void DrawPenLine(const Surface& surface, std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2,
                 int penWidth, std::uint32_t colour) {
  if (surface.Empty()) return;
  if (penWidth <= 1) {
    DrawThinLine(surface, x1, y1, x2, y2, colour);
    return;
  }
  // A zero-length line draws nothing with any pen.
  if (x1 == x2 && y1 == y2) return;
  FillRoundCappedSegment(surface, static_cast<double>(x1), static_cast<double>(y1), static_cast<double>(x2),
                         static_cast<double>(y2), penWidth / 2.0, colour);
}
