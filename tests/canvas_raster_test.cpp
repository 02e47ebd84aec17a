#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cmath>
#include <map>
#include <set>

#include "canvas/canvas.h"
#include "tests/test_support.h"

namespace {

using Points = std::set<std::pair<int, int>>;
using Box = std::array<int, 4>;  // left, top, right, bottom, all included; left > right is empty

constexpr std::uint32_t kRed = 0x00FF0000;
constexpr std::uint32_t kBlue = 0x000000FF;

Points PixelsOf(const Canvas& c, std::uint32_t colour) {
  Points found;
  for (int y = 0; y < c.Height(); ++y)
    for (int x = 0; x < c.Width(); ++x)
      if (c.PixelAt(x, y) == colour) found.insert({x, y});
  return found;
}

Points Square(Box b, Box hole = {1, 0, 0, 0}) {
  Points p;
  for (int y = b[1]; y <= b[3]; ++y)
    for (int x = b[0]; x <= b[2]; ++x)
      if (x < hole[0] || x > hole[2] || y < hole[1] || y > hole[3]) p.insert({x, y});
  return p;
}

// A black w by h surface with a red pen of the given width and a blue brush,
// after `draw` has run on it.
template <class Draw>
Canvas Drawn(int w, int h, int pen, Draw draw) {
  Canvas c;
  c.Attach(nullptr, w, h);
  c.SetPen(pen, 255, 0, 0);
  c.SetBrush(0, 0, 255);
  draw(c);
  return c;
}

struct ShowingWindow : NoWindowHost {
  void ShowPixels(const std::uint32_t* pixels, int w, int h) override { shown.assign(pixels, pixels + w * h); }
  void RequestRepaint() override { ++repaints; }
  std::vector<std::uint32_t> shown;
  int repaints = 0;
};

// A one-pixel line has one pixel per step of its longer axis, the one nearest
// the ideal line, and leaves out its end point.
void ExpectNearestPath(int w, int h, int x1, int y1, int x2, int y2) {
  SCOPED_TRACE(::testing::Message() << x1 << "," << y1 << " to " << x2 << "," << y2);
  const Canvas c = Drawn(w, h, 1, [&](Canvas& c) { c.DrawLine(x1, y1, x2, y2); });
  const bool steep = std::llabs(std::int64_t{y2} - y1) > std::llabs(std::int64_t{x2} - x1);
  const long double a1 = steep ? y1 : x1, a2 = steep ? y2 : x2, b1 = steep ? x1 : y1, b2 = steep ? x2 : y2;
  std::map<int, int> minorOf;
  for (auto [x, y] : PixelsOf(c, kRed)) EXPECT_TRUE(minorOf.emplace(steep ? y : x, steep ? x : y).second);
  std::size_t expected = 0;
  for (int m = 0; m < (steep ? h : w); ++m) {
    if (m < std::min(a1, a2) || m > std::max(a1, a2) || m == a2) continue;
    ++expected;
    ASSERT_TRUE(minorOf.count(m)) << "no pixel at step " << m;
    EXPECT_LE(std::fabs(minorOf[m] - (b1 + (m - a1) * (b2 - b1) / (a2 - a1))), 0.5L) << m;
  }
  EXPECT_EQ(minorOf.size(), expected);
}

}  // namespace

TEST(CanvasSurface, ClearsSetEveryBitAndPresentCopiesTheWholeSurface) {
  Canvas c = Drawn(8, 4, 1, [](Canvas& c) { c.ClearWhite(); });
  EXPECT_EQ(PixelsOf(c, 0x00FFFFFF).size(), 32u);
  c.ClearBlack();
  c.MutablePixels()[5] = kRed;
  ShowingWindow window;
  c.Present(&window);
  EXPECT_EQ(window.shown, std::vector<std::uint32_t>(c.Pixels(), c.Pixels() + 32));
  EXPECT_EQ(PixelsOf(c, 0).size(), 31u);
  c.Attach(nullptr, 3, 5);  // a new size replaces the old surface
  c.Present(&window);
  EXPECT_EQ(window.shown, std::vector<std::uint32_t>(15, 0));
}

TEST(CanvasSurface, WithoutASurfaceOrWithNullTextsNothingIsDrawnButEveryCallIsHeard) {
  CallRecorder recorder;
  for (auto [w, h] : {std::pair{0, 0}, {-5, 10}, {100000, 100000}}) {
    Canvas c;
    if (w || h) c.Attach(nullptr, w, h);
    EXPECT_FALSE(c.IsAttached());
    c.SetCallSink(&recorder);
    c.ClearBlack();
    c.ClearWhite();
    c.PutText(0, 0, "x");
    c.DrawLine(0, 0, 5, 5);
    c.DrawRect(0, 0, 5, 5);
    c.DrawEllipse(0, 0, 5, 5);
    c.DrawGrid(0, 0, 5, 5, 1, 1);
    c.DrawSprite(0, 0, "none.bmp", "none.bmp", 5, 5);
    ShowingWindow window;
    c.Present(&window);
    EXPECT_TRUE(window.shown.empty());
  }
  EXPECT_EQ(recorder.calls.size(), 15u);
  const Canvas c = Drawn(4, 4, 1, [&](Canvas& c) {
    c.SetCallSink(&recorder);
    c.PutText(0, 0, nullptr);
    c.DrawSprite(0, 0, nullptr, nullptr, 4, 4);
  });
  EXPECT_EQ(recorder.calls.back().name, "");
  EXPECT_EQ(PixelsOf(c, 0).size(), 16u);
}

TEST(CanvasColour, ComponentsAreTakenModulo256) {
  const Canvas c = Drawn(6, 4, 1, [](Canvas& c) {
    c.ClearWhite();
    c.SetBrush(256, 256, 256);
    c.DrawRect(0, 0, 6, 4);
    c.SetPen(1, 256, 257, 255 + 256);
    c.DrawLine(0, 1, 6, 1);
  });
  EXPECT_EQ(PixelsOf(c, 0x000001FF), Square({0, 1, 5, 1}));
  EXPECT_EQ(PixelsOf(c, 0), Square({1, 2, 4, 2}));  // the brush inside the outline, 256 acting as 0
  EXPECT_EQ(SurfaceColour(-1, 0, 0), 0x00FF0000u);
}

TEST(CanvasLine, PenWidthEndPointsAndClipping) {
  struct Case {
    int pen, x1, y1, x2, y2;
    std::vector<Box> lit;
  };
  const Case cases[] = {
      {1, 2, 5, 8, 5, {{2, 5, 7, 5}}},  // one pixel: the end point is left out
      {1, 8, 5, 2, 5, {{3, 5, 8, 5}}},
      {1, 0, 0, 4, 4, {{0, 0, 0, 0}, {1, 1, 1, 1}, {2, 2, 2, 2}, {3, 3, 3, 3}}},
      {1, 3, 3, 3, 3, {}},
      {0, 0, 11, 3, 11, {{0, 11, 2, 11}}},                   // width 0 is one pixel too
      {3, 7, 3, 7, 18, {{6, 2, 8, 19}}},                     // wide pens centred, capped past both ends
      {2, 5, 10, 15, 10, {{5, 9, 15, 9}, {4, 10, 15, 10}}},  // an even width leans up and left
      {1, INT_MIN, 5, INT_MAX, 5, {{0, 5, 23, 5}}},
      {1, INT_MIN, INT_MIN, INT_MAX, INT_MIN, {}},
      {3, -1, INT_MIN, -1, INT_MAX, {{0, 0, 0, 23}}},  // only its right edge is on the surface
      {3, 5, 24, 15, 24, {{4, 23, 16, 23}}},           // just below the bottom: its top row shows
      {INT_MAX, 10, 5, 11, 5, {{0, 0, 23, 23}}},
  };
  for (const Case& k : cases) {
    const Canvas c = Drawn(24, 24, k.pen, [&](Canvas& c) { c.DrawLine(k.x1, k.y1, k.x2, k.y2); });
    Points want;
    for (const Box& b : k.lit) want.merge(Square(b));
    EXPECT_EQ(PixelsOf(c, kRed), want) << "pen " << k.pen << ": " << k.x1 << "," << k.y1 << " to " << k.x2 << ","
                                       << k.y2;
  }
  // A wide cap is round: it reaches along the axis but not into the corner.
  const Points seven = PixelsOf(Drawn(24, 24, 7, [](Canvas& c) { c.DrawLine(10, 10, 12, 10); }), kRed);
  EXPECT_TRUE(seven.count({7, 10}) && seven.count({15, 10}) && seven.count({11, 7}));
  EXPECT_FALSE(seven.count({7, 7}) || seven.count({6, 10}));
}

TEST(CanvasLine, StepsFollowTheNearestPixelsEvenAcrossTheIntRange) {
  ExpectNearestPath(12, 12, 0, 0, 10, 3);
  ExpectNearestPath(12, 12, 1, 11, 4, 1);
  // Only the steps near the surface are visited, more than two billion in.
  ExpectNearestPath(40, 20, INT_MIN, -7, INT_MAX, 23);
  ExpectNearestPath(20, 40, -7, INT_MAX, 23, INT_MIN);
}

TEST(CanvasFigure, RectangleOutlineOnItsBoxAndBrushInsideClippedAnywhere) {
  struct Case {
    int pen, l, t, r, b;
    Box outer, inner;
  };
  const Case cases[] = {
      {1, 2, 3, 8, 7, {2, 3, 7, 6}, {3, 4, 6, 5}},
      {1, 8, 7, 2, 3, {2, 3, 7, 6}, {3, 4, 6, 5}},      // given the other way round
      {1, 4, 1, 5, 4, {4, 1, 4, 3}, {1, 0, 0, 0}},      // one pixel wide: all outline
      {1, 4, 1, 4, 9, {1, 0, 0, 0}, {1, 0, 0, 0}},      // empty
      {3, 3, 3, 11, 10, {2, 2, 11, 10}, {5, 5, 8, 7}},  // a wide pen straddles the outline
      {5, INT_MIN, INT_MIN, INT_MAX, INT_MAX, {1, 0, 0, 0}, {0, 0, 13, 13}},
      {5, -100, -100, -20, -20, {1, 0, 0, 0}, {1, 0, 0, 0}},
  };
  for (const Case& k : cases) {
    const Canvas c = Drawn(14, 14, k.pen, [&](Canvas& c) { c.DrawRect(k.l, k.t, k.r, k.b); });
    EXPECT_EQ(PixelsOf(c, kRed), Square(k.outer, k.inner)) << k.l << "," << k.t << "," << k.r << "," << k.b;
    EXPECT_EQ(PixelsOf(c, kBlue), Square(k.inner)) << k.l << "," << k.t << "," << k.r << "," << k.b;
  }
}

TEST(CanvasFigure, EllipseInscribedWithoutTheRightAndBottomEdges) {
  const Canvas c = Drawn(16, 12, 1, [](Canvas& c) { c.DrawEllipse(0, 0, 11, 7); });
  const Points pen = PixelsOf(c, kRed), brush = PixelsOf(c, kBlue);
  for (auto p : {std::pair{0, 3}, {10, 3}, {5, 0}, {5, 6}}) EXPECT_TRUE(pen.count(p)) << p.first << "," << p.second;
  EXPECT_TRUE(brush.count({5, 3}));
  for (auto p : {std::pair{0, 0}, {10, 0}, {0, 6}, {10, 6}}) EXPECT_EQ(c.PixelAt(p.first, p.second), 0u);
  for (auto [x, y] : Square({0, 0, 15, 11}, {0, 0, 10, 6})) EXPECT_EQ(c.PixelAt(x, y), 0u) << x << "," << y;
  for (auto [x, y] : brush) {  // closed: every brush row is bounded by pen pixels
    EXPECT_TRUE(pen.count({x - 1, y}) || brush.count({x - 1, y}));
    EXPECT_TRUE(pen.count({x + 1, y}) || brush.count({x + 1, y}));
  }
  const int big = 2000000000;
  EXPECT_EQ(PixelsOf(Drawn(10, 10, 5, [](Canvas& c) { c.DrawEllipse(-big, -big, big, big); }), kBlue).size(), 100u);
  EXPECT_EQ(PixelsOf(Drawn(10, 10, 5, [](Canvas& c) { c.DrawEllipse(30, 30, 90, 90); }), 0).size(), 100u);
}

TEST(CanvasGrid, LinesAtEachStepIncludingTheFarEdgeOnlyWhenItIsAMultiple) {
  using Lines = std::pair<std::set<int>, std::set<int>>;  // rows crossing x = 1, columns crossing y = 1
  auto lines = [](int right, int bottom, int rows, int columns) {
    Lines found;
    for (auto [x, y] :
         PixelsOf(Drawn(30, 110, 1, [&](Canvas& c) { c.DrawGrid(0, 0, right, bottom, rows, columns); }), kRed)) {
      if (x == 1) found.first.insert(y);
      if (y == 1) found.second.insert(x);
    }
    return found;
  };
  EXPECT_EQ(lines(20, 100, 4, 1), Lines({0, 25, 50, 75, 100}, {0, 20}));
  EXPECT_EQ(lines(10, 10, 3, 3), Lines({0, 3, 6, 9}, {0, 3, 6, 9}));
  EXPECT_EQ(lines(10, 3, 4, 2), Lines({}, {0, 5, 10}));  // rows impossible, columns still drawn
  EXPECT_EQ(lines(10, 10, 0, 0), Lines());               // impossible counts draw nothing, and end
  EXPECT_EQ(lines(10, 3, 4, -1), Lines());
  // A one-pixel step over the whole int range only visits the lines near the surface.
  const int big = 1000000000;
  EXPECT_EQ(PixelsOf(Drawn(20, 20, 1, [](Canvas& c) { c.DrawGrid(-big, -big, big, big, 2 * big, 1); }), kRed).size(),
            400u);
}

TEST(CanvasGeometry, PointInRectIncludesAllFourEdges) {
  for (auto [x, y] : Square({10, 20, 30, 40})) EXPECT_EQ(Canvas::PointInRect(10, 20, 30, 40, x, y), 1);
  for (auto [x, y] : {std::pair{9, 20}, {31, 20}, {10, 19}, {10, 41}, {9, 19}, {31, 41}})
    EXPECT_EQ(Canvas::PointInRect(10, 20, 30, 40, x, y), 0) << x << "," << y;
  EXPECT_EQ(Canvas::PointInRect(INT_MIN, INT_MIN, INT_MAX, INT_MAX, 0, 0), 1);
}

TEST(CanvasGeometry, GridCellAtBandsAreOpenAtTheStartAndClosedAtTheEnd) {
  using P = std::pair<int, int>;
  auto at = [](int l, int t, int r, int b, int rows, int columns, int px, int py) {
    const GridCell g = Canvas::GridCellAt(l, t, r, b, rows, columns, px, py);
    return P{g.column, g.row};
  };
  for (auto [px, py, want] :
       {std::tuple{25, 25, P{1, 1}}, {26, 25, P{2, 1}}, {0, 50, P{0, 2}}, {100, 100, P{4, 4}}, {101, -1, P{0, 0}}})
    EXPECT_EQ(at(0, 0, 100, 100, 4, 4, px, py), want) << px << "," << py;
  // Height 10 in 3 rows: bands start at 0, 3, 6 and an extra one at 9.
  for (auto [py, row] : {P{3, 1}, {4, 2}, {9, 3}, {10, 4}, {12, 4}, {13, 0}})
    EXPECT_EQ(at(0, 0, 10, 10, 3, 3, 5, py).second, row) << py;
  EXPECT_EQ(at(140, 84, 276, 135, 3, 8, 158, 102), P(2, 2));  // counted from the grid's own corner
  EXPECT_EQ(at(0, 0, 10, 10, 0, 0, 5, 5), P(0, 0));           // impossible grids have no cells
  EXPECT_EQ(at(0, 0, 2, 2, 3, 3, 1, 1), P(0, 0));
  EXPECT_EQ(at(INT_MIN, INT_MIN, INT_MAX, INT_MAX, INT_MAX, INT_MAX, 0, INT_MIN + 1), P(1 << 30, 1));
  EXPECT_EQ(at(INT_MIN, 0, INT_MAX, 1, 1, INT_MAX, INT_MAX, 1), P(0, 1));
}

TEST(CanvasGeometry, GridCellRectGivesTheBandsAndZeroOutsideThem) {
  auto rect = [](int l, int t, int r, int b, int rows, int columns, int row, int column) {
    const CellRect c = Canvas::GridCellRect(l, t, r, b, rows, columns, row, column);
    return Box{c.left, c.top, c.right, c.bottom};
  };
  EXPECT_EQ(rect(0, 0, 10, 10, 3, 3, 2, 4), (Box{9, 3, 12, 6}));
  // Row 0 or past the last band gives zeros.
  EXPECT_EQ(rect(0, 0, 10, 10, 3, 3, 0, 5), Box{});
  for (auto [row, column] : {std::pair{0, 1}, {5, 1}, {1, 5}}) {
    const Box r = rect(0, 0, 10, 10, 3, 3, row, column);
    EXPECT_EQ(row == 1 ? std::pair(r[0], r[2]) : std::pair(r[1], r[3]), std::pair(0, 0)) << row << "," << column;
  }
  EXPECT_EQ(rect(0, 0, 10, 10, -1, 0, 1, 1), Box{});
  EXPECT_EQ(rect(140, 84, 276, 135, 3, 8, 1, 8), (Box{140 + 7 * 17, 84, 140 + 8 * 17, 101}));
  EXPECT_EQ(rect(INT_MIN, 0, INT_MAX, 10, 1, 1, 1, 1), (Box{INT_MIN, 0, INT_MAX, 10}));
}
