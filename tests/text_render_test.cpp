#include <gtest/gtest.h>

#include <climits>

#include "canvas/canvas.h"
#include "canvas/shift_jis.h"
#include "canvas/text_rasterizer.h"

namespace {

struct Ink {
  int count = 0, left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;  // box inclusive
};

// The pixels of white text drawn on black with its corner at (x, y).
Ink Draw(const std::string& text, int height, int x, int y, int w = 300, int h = 100) {
  Canvas c;
  c.Attach(nullptr, w, h);
  c.SetTextStyle(height, 255, 255, 255);
  c.PutText(x, y, text.c_str());
  Ink ink;
  for (int py = 0; py < h; ++py) {
    for (int px = 0; px < w; ++px) {
      if (c.PixelAt(px, py) == 0) continue;
      ++ink.count;
      ink = {ink.count, std::min(ink.left, px), std::min(ink.top, py), std::max(ink.right, px),
             std::max(ink.bottom, py)};
    }
  }
  return ink;
}

const std::string kCredits = Utf8ToShiftJis("24枚");

}  // namespace

TEST(TextRender, TitleAndCreditLineFitTheirCellsBelowAndRightOfTheirCorner) {
  const Ink title = Draw("Marobel", 14, 5, 10), credits = Draw(kCredits, 16, 5, 50), big = Draw("Marobel", 28, 5, 10);
  ASSERT_GT(title.count, 40);
  ASSERT_GT(credits.count, 40);
  EXPECT_TRUE(title.left >= 5 && title.left <= 7 && title.top >= 10 && title.bottom <= 10 + 13);
  EXPECT_GE(title.bottom - title.top + 1, 8);  // a capital is most of the cell
  EXPECT_GT(title.right - title.left, 6 * 5);  // seven characters, not one
  EXPECT_TRUE(credits.top >= 50 && credits.bottom <= 50 + 15);
  EXPECT_GE(credits.bottom - credits.top + 1, 12);  // the full-width counter fills the cell
  EXPECT_GT(big.right - big.left, (title.right - title.left) * 3 / 2);
  EXPECT_GT(big.bottom - big.top, (title.bottom - title.top) * 3 / 2);
}

TEST(TextRender, InkInTheTextColourWhereCoveredAndNothingElseChanges) {
  for (const std::string& text : {std::string("Marobel"), kCredits}) {
    SCOPED_TRACE(text);
    TextCoverage coverage;
    ASSERT_TRUE(RasterizeText(text, 16, coverage));
    Canvas c;
    c.Attach(nullptr, 100, 40);
    std::uint32_t* p = c.MutablePixels();
    for (int i = 0; i < 4000; ++i) p[i] = static_cast<std::uint32_t>(i * 2654435761u) & 0x00FFFFFF;
    const std::vector<std::uint32_t> before(p, p + 4000);
    c.SetTextStyle(16, 256 + 40, 256, 512 + 7);  // components modulo 256: (40, 0, 7)
    c.PutText(10, 10, text.c_str());
    int solid = 0;
    for (int y = 0; y < 40; ++y) {
      for (int x = 0; x < 100; ++x) {
        const int cx = x - 10 - coverage.offsetX, cy = y - 10 - coverage.offsetY;
        const bool inBox = cx >= 0 && cy >= 0 && cx < coverage.width && cy < coverage.height;
        const int a = inBox ? coverage.alpha[static_cast<std::size_t>(cy) * coverage.width + cx] : 0;
        if (a == 0 || a == 255) {
          ASSERT_EQ(c.PixelAt(x, y), a ? 0x00280007u : before[y * 100 + x]) << x << "," << y;
        }
        solid += a == 255;
        for (int s = 0; s < 24; s += 8) {  // partly covered: blended in proportion
          const int ground = before[y * 100 + x] >> s & 0xFF, ink = 0x280007 >> s & 0xFF;
          EXPECT_NEAR(c.PixelAt(x, y) >> s & 0xFF, (ground * (255 - a) + ink * a) / 255.0, 1.5) << x << "," << y;
        }
      }
    }
    EXPECT_GT(solid, 5);
  }
}

TEST(TextRender, EmptyTextZeroHeightAndTextOffTheSurfaceDrawNothing) {
  EXPECT_EQ(Draw("", 16, 0, 0).count, 0);
  EXPECT_EQ(Draw("Marobel", 0, 0, 0).count, 0);
  TextCoverage coverage;
  EXPECT_FALSE(RasterizeText("", 16, coverage));
  EXPECT_TRUE(coverage.alpha.empty());
  for (auto [x, y] : {std::pair{INT_MIN, 0},
                      {INT_MAX, 0},
                      {0, INT_MIN},
                      {0, INT_MAX},
                      {INT_MAX, INT_MAX},
                      {-200, 0},
                      {40, 0},
                      {0, 20},
                      {0, -40}})
    EXPECT_EQ(Draw(kCredits, 16, x, y, 40, 20).count, 0) << x << "," << y;
  // Partly off at any edge, what is on the surface still shows.
  for (auto [x, y] : {std::pair{-20, -8}, {30, 12}, {-8, 15}, {35, -10}})
    EXPECT_GT(Draw(kCredits, 16, x, y, 40, 20).count, 0) << x << "," << y;
}

TEST(TextRender, AbsurdHeightsLengthsAndBytesStayBounded) {
  for (int height : {1000000, INT_MIN}) Draw("M", height, 0, 0, 64, 64);
  const std::string longText(200000, 'M');
  Draw(longText, 400, -100, -100, 64, 64);
  TextCoverage coverage;
  EXPECT_LE(RasterizeText(longText, 400, coverage) ? coverage.alpha.size() : 0, std::size_t{64} << 20);
  EXPECT_TRUE(RasterizeText(kCredits, -32, coverage));         // a negative height names the em height
  EXPECT_GT(Draw("\x81\xFF\x80\xA0\xFD", 16, 0, 0).count, 0);  // undecodable bytes draw replacement glyphs
}
