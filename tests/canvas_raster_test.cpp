#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <map>
#include <set>
#include <utility>

#include "canvas/canvas.h"
#include "tests/test_support.h"

namespace {

using Points = std::set<std::pair<int, int>>;

constexpr std::uint32_t kRed = 0x00FF0000;
constexpr std::uint32_t kBlue = 0x000000FF;

// Every pixel of the given colour, as (x, y).
Points PixelsOf(const Canvas& c, std::uint32_t colour) {
  Points found;
  for (int y = 0; y < c.Height(); ++y)
    for (int x = 0; x < c.Width(); ++x)
      if (c.PixelAt(x, y) == colour) found.insert({x, y});
  return found;
}

Points Square(int x0, int y0, int x1, int y1) {  // both corners included
  Points p;
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) p.insert({x, y});
  return p;
}

Canvas Attached(int w, int h) {
  Canvas c;
  c.Attach(nullptr, w, h);
  return c;
}

class ShowingWindow : public NullWindow {
 public:
  void ShowPixels(const std::uint32_t* pixels, int w, int h) override {
    shown.assign(pixels, pixels + static_cast<std::size_t>(w) * h);
    shownWidth = w;
    shownHeight = h;
  }
  std::vector<std::uint32_t> shown;
  int shownWidth = 0, shownHeight = 0;
};

}  // namespace

TEST(CanvasSurface, FreshSurfaceIsBlackAndClearsSetEveryBit) {
  Canvas c = Attached(8, 4);
  EXPECT_EQ(PixelsOf(c, 0).size(), 32u);
  c.ClearWhite();
  EXPECT_EQ(PixelsOf(c, 0x00FFFFFF).size(), 32u);
  c.ClearBlack();
  EXPECT_EQ(PixelsOf(c, 0).size(), 32u);
}

TEST(CanvasSurface, AttachAgainReplacesTheSurface) {
  Canvas c = Attached(8, 4);
  c.ClearWhite();
  c.Attach(nullptr, 3, 5);
  EXPECT_EQ(c.Width(), 3);
  EXPECT_EQ(c.Height(), 5);
  EXPECT_EQ(PixelsOf(c, 0).size(), 15u);
  ShowingWindow window;
  c.Present(&window);
  EXPECT_EQ(window.shownWidth, 3);
  EXPECT_EQ(window.shownHeight, 5);
  EXPECT_EQ(window.shown.size(), 15u);
  c.Invalidate(&window);
  EXPECT_EQ(window.repaints, 1);
}

TEST(CanvasSurface, WithoutASurfaceNothingIsDrawnButEveryCallIsHeard) {
  CallRecorder recorder;
  for (auto [w, h] : {std::pair{0, 0}, std::pair{-5, 10}, std::pair{100000, 100000}}) {
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
  ASSERT_EQ(recorder.calls.size(), 15u);
  EXPECT_EQ(recorder.calls[0].kind, "clear");
  EXPECT_EQ(recorder.calls[1].kind, "clearwhite");
  EXPECT_EQ(recorder.calls[2].kind, "text");
  EXPECT_EQ(recorder.calls[3].kind, "line");
  EXPECT_EQ(recorder.calls[4].kind, "sprite");
}

TEST(CanvasSurface, NullNamesAndTextsCountAsEmpty) {
  Canvas c = Attached(4, 4);
  CallRecorder recorder;
  c.SetCallSink(&recorder);
  c.PutText(0, 0, nullptr);
  c.DrawSprite(0, 0, nullptr, nullptr, 4, 4);
  ASSERT_EQ(recorder.calls.size(), 2u);
  EXPECT_EQ(recorder.calls[1].name, "");
  EXPECT_EQ(PixelsOf(c, 0).size(), 16u);
}

TEST(CanvasColour, ComponentsAreTakenModulo256) {
  EXPECT_EQ(SurfaceColour(256, 257, 511), 0x000001FFu);
  EXPECT_EQ(SurfaceColour(-1, 0, 0), 0x00FF0000u);
  Canvas c = Attached(6, 3);
  c.SetPen(1, 256, 257, 255 + 256);
  c.DrawLine(0, 1, 6, 1);
  EXPECT_EQ(PixelsOf(c, 0x000001FF), Square(0, 1, 5, 1));
  c.SetBrush(256, 256, 256);
  c.ClearWhite();
  c.DrawRect(0, 0, 6, 3);
  EXPECT_EQ(c.PixelAt(2, 1), 0u);  // the brush, 256 acting as 0
}

TEST(CanvasLine, OnePixelPenLeavesOutTheEndPoint) {
  Canvas c = Attached(12, 12);
  c.SetPen(1, 255, 0, 0);
  c.DrawLine(2, 5, 8, 5);
  EXPECT_EQ(PixelsOf(c, kRed), Square(2, 5, 7, 5));
  c.ClearBlack();
  c.DrawLine(8, 5, 2, 5);
  EXPECT_EQ(PixelsOf(c, kRed), Square(3, 5, 8, 5));
  c.ClearBlack();
  c.DrawLine(4, 1, 4, 9);
  EXPECT_EQ(PixelsOf(c, kRed), Square(4, 1, 4, 8));
  c.ClearBlack();
  c.DrawLine(0, 0, 4, 4);
  EXPECT_EQ(PixelsOf(c, kRed), (Points{{0, 0}, {1, 1}, {2, 2}, {3, 3}}));
  c.ClearBlack();
  c.DrawLine(3, 3, 3, 3);
  EXPECT_TRUE(PixelsOf(c, kRed).empty());
  c.SetPen(0, 255, 0, 0);  // width 0 is also one pixel
  c.DrawLine(0, 11, 3, 11);
  EXPECT_EQ(PixelsOf(c, kRed), Square(0, 11, 2, 11));
}

TEST(CanvasLine, ShallowLinesStepOncePerColumnAndMeetTheirEnd) {
  Canvas c = Attached(12, 12);
  c.SetPen(1, 255, 0, 0);
  c.DrawLine(0, 0, 10, 3);
  const Points lit = PixelsOf(c, kRed);
  ASSERT_EQ(lit.size(), 10u);
  int x = 0, lastY = 0;
  for (auto [px, py] : lit) {  // sorted by x
    EXPECT_EQ(px, x++);
    EXPECT_GE(py, lastY);
    EXPECT_LE(py - lastY, 1);
    lastY = py;
  }
  EXPECT_TRUE(lit.count({0, 0}));
  EXPECT_TRUE(lit.count({9, 3}));
  // Steep lines step once per row.
  c.ClearBlack();
  c.DrawLine(1, 11, 4, 1);
  const Points steep = PixelsOf(c, kRed);
  ASSERT_EQ(steep.size(), 10u);
  std::set<int> rows;
  for (auto p : steep) rows.insert(p.second);
  EXPECT_EQ(rows.size(), 10u);
  EXPECT_FALSE(rows.count(1));
}

TEST(CanvasLine, WidePensAreCentredWithRoundCapsPastBothEnds) {
  Canvas c = Attached(24, 24);
  c.SetPen(3, 255, 255, 0);
  c.DrawLine(5, 10, 15, 10);
  EXPECT_EQ(PixelsOf(c, 0x00FFFF00), Square(4, 9, 16, 11));
  c.ClearBlack();
  c.DrawLine(7, 3, 7, 18);
  EXPECT_EQ(PixelsOf(c, 0x00FFFF00), Square(6, 2, 8, 19));
  // An even width leans up and left.
  c.ClearBlack();
  c.SetPen(2, 255, 255, 0);
  c.DrawLine(5, 10, 15, 10);
  Points two = Square(5, 9, 15, 9);
  for (auto p : Square(4, 10, 15, 10)) two.insert(p);
  EXPECT_EQ(PixelsOf(c, 0x00FFFF00), two);
  // A wide round cap: width 7 reaches 3 pixels beyond the end on the axis
  // but not at the corner of that square.
  c.ClearBlack();
  c.SetPen(7, 255, 255, 0);
  c.DrawLine(10, 10, 12, 10);
  const Points seven = PixelsOf(c, 0x00FFFF00);
  EXPECT_TRUE(seven.count({7, 10}));
  EXPECT_TRUE(seven.count({15, 10}));
  EXPECT_TRUE(seven.count({11, 7}));
  EXPECT_FALSE(seven.count({7, 7}));
  EXPECT_FALSE(seven.count({6, 10}));
}

TEST(CanvasLine, ThePenCursorOfTheLotteryCoversTheCellEdges) {
  // The four strokes the game draws around a lottery cell.
  Canvas c = Attached(40, 40);
  c.SetPen(3, 255, 255, 0);
  const int l = 10, t = 12, r = 27, b = 29;
  c.DrawLine(l, t, r, t);
  c.DrawLine(r, t, r, b);
  c.DrawLine(r, b, l, b);
  c.DrawLine(l, b, l, t);
  Points frame = Square(l - 1, t - 1, r + 1, b + 1);
  for (auto p : Square(l + 2, t + 2, r - 2, b - 2)) frame.erase(p);
  EXPECT_EQ(PixelsOf(c, 0x00FFFF00), frame);
}

TEST(CanvasLine, LinesFromFarOutsideDrawOnlyTheirVisiblePart) {
  Canvas c = Attached(20, 10);
  c.SetPen(1, 255, 0, 0);
  c.DrawLine(INT_MIN, 5, INT_MAX, 5);
  EXPECT_EQ(PixelsOf(c, kRed), Square(0, 5, 19, 5));
  c.ClearBlack();
  c.DrawLine(-1000000000, -1000000000, 1000000000, 1000000000);
  Points diagonal;
  for (int i = 0; i < 10; ++i) diagonal.insert({i, i});
  EXPECT_EQ(PixelsOf(c, kRed), diagonal);
  c.ClearBlack();
  c.DrawLine(INT_MIN, INT_MIN, INT_MAX, INT_MIN);
  c.DrawLine(-50, -50, -50, 50);
  c.DrawLine(25, 0, 25, 9);
  EXPECT_TRUE(PixelsOf(c, kRed).empty());
  c.SetPen(3, 255, 0, 0);
  c.DrawLine(-1, INT_MIN, -1, INT_MAX);  // only its right edge is on the surface
  EXPECT_EQ(PixelsOf(c, kRed), Square(0, 0, 0, 9));
  c.ClearBlack();
  c.DrawLine(5, 10, 15, 10);  // just below the bottom: its top row shows
  EXPECT_EQ(PixelsOf(c, kRed), Square(4, 9, 16, 9));
  c.ClearBlack();
  c.SetPen(INT_MAX, 255, 0, 0);
  c.DrawLine(10, 5, 11, 5);
  EXPECT_EQ(PixelsOf(c, kRed).size(), 200u);
}

TEST(CanvasLine, AShallowLineFromEdgeToEdgeOfTheIntRangeStaysOnItsPath) {
  // Only the steps near the surface are visited, starting more than two
  // billion steps in; the pixels found there must still be the nearest ones.
  Canvas c = Attached(40, 20);
  c.SetPen(1, 255, 0, 0);
  const long double x1 = INT_MIN, y1 = -7, x2 = INT_MAX, y2 = 23;
  c.DrawLine(INT_MIN, -7, INT_MAX, 23);
  std::map<int, int> rowOf;
  for (auto [x, y] : PixelsOf(c, kRed)) {
    EXPECT_FALSE(rowOf.count(x)) << "two pixels in column " << x;
    rowOf[x] = y;
  }
  for (int x = 0; x < 40; ++x) {
    const long double ideal = y1 + (x - x1) * (y2 - y1) / (x2 - x1);
    ASSERT_TRUE(rowOf.count(x)) << x;
    EXPECT_LE(std::fabs(static_cast<long double>(rowOf[x]) - ideal), 0.5L) << x;
  }
}

TEST(CanvasFigure, RectangleOutlineOnItsBoxAndBrushInside) {
  Canvas c = Attached(12, 10);
  c.SetPen(1, 255, 0, 0);
  c.SetBrush(0, 0, 255);
  c.DrawRect(2, 3, 8, 7);
  Points outline = Square(2, 3, 7, 6);
  for (auto p : Square(3, 4, 6, 5)) outline.erase(p);
  EXPECT_EQ(PixelsOf(c, kRed), outline);
  EXPECT_EQ(PixelsOf(c, kBlue), Square(3, 4, 6, 5));
  // Given the other way round, the same figure.
  c.ClearBlack();
  c.DrawRect(8, 7, 2, 3);
  EXPECT_EQ(PixelsOf(c, kRed), outline);
  // A one-pixel-wide box is all outline; an empty one draws nothing.
  c.ClearBlack();
  c.DrawRect(4, 1, 5, 4);
  EXPECT_EQ(PixelsOf(c, kRed), Square(4, 1, 4, 3));
  c.ClearBlack();
  c.DrawRect(4, 1, 4, 9);
  EXPECT_TRUE(PixelsOf(c, kRed).empty());
}

TEST(CanvasFigure, WidePenRectangleStraddlesItsOutline) {
  Canvas c = Attached(14, 14);
  c.SetPen(3, 255, 0, 0);
  c.SetBrush(0, 0, 255);
  c.DrawRect(3, 3, 11, 10);  // outline through 3..10 x 3..9
  Points outline = Square(2, 2, 11, 10);
  for (auto p : Square(5, 5, 8, 7)) outline.erase(p);
  EXPECT_EQ(PixelsOf(c, kRed), outline);
  EXPECT_EQ(PixelsOf(c, kBlue), Square(5, 5, 8, 7));
}

TEST(CanvasFigure, EllipseInscribedWithoutTheRightAndBottomEdges) {
  Canvas c = Attached(16, 12);
  c.SetPen(1, 255, 0, 0);
  c.SetBrush(0, 0, 255);
  c.DrawEllipse(0, 0, 11, 7);
  const Points pen = PixelsOf(c, kRed);
  const Points brush = PixelsOf(c, kBlue);
  for (auto p : {std::pair{0, 3}, {10, 3}, {5, 0}, {5, 6}}) EXPECT_TRUE(pen.count(p)) << p.first << "," << p.second;
  EXPECT_TRUE(brush.count({5, 3}));
  for (auto p : {std::pair{0, 0}, {10, 0}, {0, 6}, {10, 6}}) EXPECT_EQ(c.PixelAt(p.first, p.second), 0u);
  for (int y = 0; y < 12; ++y) EXPECT_EQ(c.PixelAt(11, y), 0u);
  for (int x = 0; x < 16; ++x) EXPECT_EQ(c.PixelAt(x, 7), 0u);
  // Symmetric about both axes of its box.
  for (auto [x, y] : pen) {
    EXPECT_TRUE(pen.count({10 - x, y}));
    EXPECT_TRUE(pen.count({x, 6 - y}));
  }
  // The outline is closed: every row of the brush is bounded by pen pixels.
  for (auto [x, y] : brush) {
    EXPECT_TRUE(pen.count({x - 1, y}) || brush.count({x - 1, y}));
    EXPECT_TRUE(pen.count({x + 1, y}) || brush.count({x + 1, y}));
  }
}

TEST(CanvasFigure, FiguresFarOffTheSurfaceAreClipped) {
  Canvas c = Attached(10, 10);
  c.SetPen(5, 255, 0, 0);
  c.SetBrush(0, 0, 255);
  c.DrawRect(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
  EXPECT_EQ(PixelsOf(c, kBlue).size(), 100u);
  c.ClearBlack();
  c.DrawEllipse(-2000000000, -2000000000, 2000000000, 2000000000);
  EXPECT_EQ(PixelsOf(c, kBlue).size(), 100u);
  c.ClearBlack();
  c.DrawRect(-100, -100, -20, -20);
  c.DrawEllipse(30, 30, 90, 90);
  EXPECT_EQ(PixelsOf(c, 0).size(), 100u);
}

TEST(CanvasGrid, LinesAtEachStepIncludingTheFarEdgeOnlyWhenItIsAMultiple) {
  Canvas c = Attached(30, 110);
  c.SetPen(1, 255, 0, 0);
  c.DrawGrid(0, 0, 20, 100, 4, 1);
  std::set<int> rows, columns;
  for (auto [x, y] : PixelsOf(c, kRed)) {
    if (x == 5) rows.insert(y);
    if (y == 40) columns.insert(x);
  }
  EXPECT_EQ(rows, (std::set<int>{0, 25, 50, 75, 100}));
  EXPECT_EQ(columns, (std::set<int>{0, 20}));
  c.ClearBlack();
  c.DrawGrid(0, 0, 10, 10, 3, 3);
  rows.clear();
  columns.clear();
  for (auto [x, y] : PixelsOf(c, kRed)) {
    if (x == 1) rows.insert(y);
    if (y == 1) columns.insert(x);
  }
  EXPECT_EQ(rows, (std::set<int>{0, 3, 6, 9}));
  EXPECT_EQ(columns, (std::set<int>{0, 3, 6, 9}));
}

TEST(CanvasGrid, ImpossibleCountsDrawNothingInsteadOfLoopingForever) {
  Canvas c = Attached(20, 20);
  c.SetPen(1, 255, 0, 0);
  c.DrawGrid(0, 0, 10, 10, 0, 0);
  c.DrawGrid(0, 0, 10, 3, 4, -1);
  EXPECT_TRUE(PixelsOf(c, kRed).empty());
  c.DrawGrid(0, 0, 10, 3, 4, 2);  // rows impossible, columns fine
  std::set<int> columns;
  for (auto p : PixelsOf(c, kRed)) columns.insert(p.first);
  EXPECT_EQ(columns, (std::set<int>{0, 5, 10}));
  // A one-pixel step over the whole int range only visits the lines near
  // the surface.
  c.ClearBlack();
  c.DrawGrid(-1000000000, -1000000000, 1000000000, 1000000000, 2000000000, 1);
  EXPECT_EQ(PixelsOf(c, kRed).size(), 400u);
}

TEST(CanvasGeometry, PointInRectIncludesAllFourEdges) {
  for (auto [x, y] : Square(10, 20, 30, 40)) EXPECT_EQ(Canvas::PointInRect(10, 20, 30, 40, x, y), 1);
  for (auto [x, y] : {std::pair{9, 20}, {31, 20}, {10, 19}, {10, 41}, {9, 19}, {31, 41}})
    EXPECT_EQ(Canvas::PointInRect(10, 20, 30, 40, x, y), 0) << x << "," << y;
  EXPECT_EQ(Canvas::PointInRect(INT_MIN, INT_MIN, INT_MAX, INT_MAX, 0, 0), 1);
}

TEST(CanvasGeometry, GridCellAtBandsAreOpenAtTheStartAndClosedAtTheEnd) {
  auto at = [](int px, int py) { return Canvas::GridCellAt(0, 0, 100, 100, 4, 4, px, py); };
  EXPECT_EQ(at(25, 25).column, 1);
  EXPECT_EQ(at(25, 25).row, 1);
  EXPECT_EQ(at(26, 25).column, 2);
  EXPECT_EQ(at(0, 50).column, 0);
  EXPECT_EQ(at(0, 50).row, 2);
  EXPECT_EQ(at(100, 100).column, 4);
  EXPECT_EQ(at(100, 100).row, 4);
  EXPECT_EQ(at(101, -1).column, 0);
  EXPECT_EQ(at(101, -1).row, 0);
  // Height 10 in 3 rows: bands start at 0, 3, 6 and an extra one at 9.
  auto row = [](int py) { return Canvas::GridCellAt(0, 0, 10, 10, 3, 3, 5, py).row; };
  EXPECT_EQ(row(3), 1);
  EXPECT_EQ(row(4), 2);
  EXPECT_EQ(row(9), 3);
  EXPECT_EQ(row(10), 4);
  EXPECT_EQ(row(12), 4);
  EXPECT_EQ(row(13), 0);
  // Offset grids use the same bands from their own top-left.
  const GridCell cell = Canvas::GridCellAt(140, 84, 276, 135, 3, 8, 158, 102);
  EXPECT_EQ(cell.column, 2);
  EXPECT_EQ(cell.row, 2);
}

TEST(CanvasGeometry, GridCellRectGivesTheBandsAndZeroOutsideThem) {
  const CellRect r = Canvas::GridCellRect(0, 0, 10, 10, 3, 3, 2, 4);
  EXPECT_EQ(r.top, 3);
  EXPECT_EQ(r.bottom, 6);
  EXPECT_EQ(r.left, 9);
  EXPECT_EQ(r.right, 12);
  const CellRect none = Canvas::GridCellRect(0, 0, 10, 10, 3, 3, 0, 5);
  EXPECT_EQ(none.top, 0);
  EXPECT_EQ(none.bottom, 0);
  EXPECT_EQ(none.left, 0);
  EXPECT_EQ(none.right, 0);
  const CellRect offset = Canvas::GridCellRect(140, 84, 276, 135, 3, 8, 1, 8);
  EXPECT_EQ(offset.left, 140 + 7 * 17);
  EXPECT_EQ(offset.right, 140 + 8 * 17);
  EXPECT_EQ(offset.top, 84);
  EXPECT_EQ(offset.bottom, 101);
  // Each cell of GridCellRect holds exactly the points GridCellAt gives it.
  for (int py = 0; py <= 13; ++py) {
    const int k = Canvas::GridCellAt(0, 0, 10, 10, 3, 3, 0, py).row;
    if (k == 0) continue;
    const CellRect band = Canvas::GridCellRect(0, 0, 10, 10, 3, 3, k, 1);
    EXPECT_LT(band.top, py);
    EXPECT_LE(py, band.bottom);
  }
}

TEST(CanvasGeometry, ImpossibleGridsHaveNoCells) {
  EXPECT_EQ(Canvas::GridCellAt(0, 0, 10, 10, 0, 0, 5, 5).row, 0);
  EXPECT_EQ(Canvas::GridCellAt(0, 0, 2, 2, 3, 3, 1, 1).column, 0);
  EXPECT_EQ(Canvas::GridCellRect(0, 0, 10, 10, -1, 0, 1, 1).bottom, 0);
  // The whole int range in one-pixel bands answers at once.
  const GridCell far = Canvas::GridCellAt(INT_MIN, INT_MIN, INT_MAX, INT_MAX, INT_MAX, INT_MAX, 0, INT_MIN + 1);
  EXPECT_EQ(far.row, 1);
  EXPECT_EQ(far.column, 1 << 30);
  EXPECT_EQ(Canvas::GridCellAt(INT_MIN, 0, INT_MAX, 1, 1, INT_MAX, INT_MAX, 1).column, 0);
  const CellRect last = Canvas::GridCellRect(INT_MIN, 0, INT_MAX, 10, 1, 1, 1, 1);
  EXPECT_EQ(last.left, INT_MIN);
  EXPECT_EQ(last.right, INT_MAX);
}
