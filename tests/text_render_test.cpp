#include <gtest/gtest.h>

#include <climits>

#include "canvas/canvas.h"
#include "canvas/shift_jis.h"
#include "canvas/text_rasterizer.h"

namespace {

struct Ink {
  int count = 0;
  int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;  // inclusive
};

// The pixels that differ from `ground`, and their bounding box.
Ink InkOf(const Canvas& c, std::uint32_t ground) {
  Ink ink;
  for (int y = 0; y < c.Height(); ++y) {
    for (int x = 0; x < c.Width(); ++x) {
      if (c.PixelAt(x, y) == ground) continue;
      ++ink.count;
      ink.left = std::min(ink.left, x);
      ink.right = std::max(ink.right, x);
      ink.top = std::min(ink.top, y);
      ink.bottom = std::max(ink.bottom, y);
    }
  }
  return ink;
}

Canvas Black(int w, int h) {
  Canvas c;
  c.Attach(nullptr, w, h);
  return c;
}

const std::string kCredits = Utf8ToShiftJis("24枚");

}  // namespace

TEST(TextRender, TitleAndCreditLineFitTheirCellsBelowAndRightOfTheirCorner) {
  Canvas c = Black(200, 100);
  c.SetTextStyle(14, 255, 255, 255);
  c.PutText(5, 10, "Marobel");
  const Ink title = InkOf(c, 0);
  ASSERT_GT(title.count, 40);
  EXPECT_GE(title.left, 5);
  EXPECT_LE(title.left, 7);
  EXPECT_GE(title.top, 10);
  EXPECT_LE(title.bottom, 10 + 13);
  EXPECT_GE(title.bottom - title.top + 1, 8);  // a capital is most of the cell
  EXPECT_GT(title.right - title.left, 6 * 5);  // seven characters, not one

  c.ClearBlack();
  c.SetTextStyle(16, 255, 255, 255);
  c.PutText(5, 50, kCredits.c_str());
  const Ink credits = InkOf(c, 0);
  ASSERT_GT(credits.count, 40);
  EXPECT_GE(credits.top, 50);
  EXPECT_LE(credits.bottom, 50 + 15);
  // The full-width counter character is about as tall as the cell.
  EXPECT_GE(credits.bottom - credits.top + 1, 12);
}

TEST(TextRender, ABiggerHeightDrawsBiggerText) {
  Canvas c = Black(300, 100);
  c.SetTextStyle(14, 255, 255, 255);
  c.PutText(0, 0, "Marobel");
  const Ink small = InkOf(c, 0);
  c.ClearBlack();
  c.SetTextStyle(28, 255, 255, 255);
  c.PutText(0, 0, "Marobel");
  const Ink big = InkOf(c, 0);
  EXPECT_GT(big.right - big.left, (small.right - small.left) * 3 / 2);
  EXPECT_GT(big.bottom - big.top, (small.bottom - small.top) * 3 / 2);
}

TEST(TextRender, DrawsInTheTextColourOverAnUntouchedBackground) {
  Canvas c = Black(120, 40);
  c.ClearWhite();
  c.SetTextStyle(16, 256 + 40, 256, 512 + 7);  // components modulo 256: (40, 0, 7)
  c.PutText(3, 3, kCredits.c_str());
  int solid = 0;
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 120; ++x) {
      const std::uint32_t p = c.PixelAt(x, y);
      if (p == 0x00FFFFFF) continue;
      // Between white and the text colour, channel by channel.
      const int r = p >> 16 & 0xFF, g = p >> 8 & 0xFF, b = p & 0xFF;
      EXPECT_GE(r, 40);
      EXPECT_GE(b, 7);
      EXPECT_LE(std::abs((255 - r) * 255 - (255 - g) * (255 - 40)), 255 * 255 / 50) << x << "," << y;
      solid += p == 0x00280007;
    }
  }
  EXPECT_GT(solid, 10);
  // The background of the text cell is not painted.
  EXPECT_EQ(c.PixelAt(3, 3), 0x00FFFFFFu);
  EXPECT_EQ(c.PixelAt(60, 10), 0x00FFFFFFu);
}

TEST(TextRender, OnlyCoveredPixelsChange) {
  TextCoverage coverage;
  ASSERT_TRUE(RasterizeText("Marobel", 14, coverage));
  ASSERT_EQ(coverage.alpha.size(), static_cast<std::size_t>(coverage.width) * coverage.height);
  Canvas c = Black(100, 40);
  std::uint32_t* p = c.MutablePixels();
  for (int i = 0; i < 4000; ++i) p[i] = static_cast<std::uint32_t>(i * 2654435761u) & 0x00FFFFFF;
  const std::vector<std::uint32_t> before(p, p + 4000);
  c.SetTextStyle(14, 0, 0, 0);
  c.PutText(10, 10, "Marobel");
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 100; ++x) {
      const int cx = x - 10 - coverage.offsetX, cy = y - 10 - coverage.offsetY;
      const bool inBox = cx >= 0 && cy >= 0 && cx < coverage.width && cy < coverage.height;
      const int a = inBox ? coverage.alpha[static_cast<std::size_t>(cy) * coverage.width + cx] : 0;
      if (a == 0) ASSERT_EQ(c.PixelAt(x, y), before[y * 100 + x]) << x << "," << y;
      if (a == 255) ASSERT_EQ(c.PixelAt(x, y), 0u) << x << "," << y;
    }
  }
}

TEST(TextRender, EmptyTextAndZeroHeightDrawNothing) {
  Canvas c = Black(50, 20);
  c.SetTextStyle(16, 255, 255, 255);
  c.PutText(0, 0, "");
  c.SetTextStyle(0, 255, 255, 255);
  c.PutText(0, 0, "Marobel");
  EXPECT_EQ(InkOf(c, 0).count, 0);
  TextCoverage coverage;
  EXPECT_FALSE(RasterizeText("", 16, coverage));
  EXPECT_TRUE(coverage.alpha.empty());
}

TEST(TextRender, ANegativeHeightIsTheEmHeightAndSoSlightlyBigger) {
  TextCoverage cell, em;
  ASSERT_TRUE(RasterizeText(kCredits, 32, cell));
  ASSERT_TRUE(RasterizeText(kCredits, -32, em));
  EXPECT_GE(em.width, cell.width);
}

TEST(TextRender, TextPartlyOrWhollyOffTheSurfaceIsClipped) {
  Canvas c = Black(40, 20);
  c.SetTextStyle(16, 255, 255, 255);
  for (auto [x, y] : {std::pair{-20, -8}, {30, 12}, {-8, 15}, {35, -10}}) c.PutText(x, y, kCredits.c_str());
  EXPECT_GT(InkOf(c, 0).count, 0);
  c.ClearBlack();
  for (auto [x, y] : {std::pair{INT_MIN, 0}, {INT_MAX, 0}, {0, INT_MIN}, {0, INT_MAX}, {INT_MAX, INT_MAX},
                      {-200, 0}, {40, 0}, {0, 20}, {0, -40}})
    c.PutText(x, y, kCredits.c_str());
  EXPECT_EQ(InkOf(c, 0).count, 0);
}

TEST(TextRender, AbsurdHeightsAndLengthsStayBounded) {
  Canvas c = Black(64, 64);
  c.SetTextStyle(1000000, 255, 255, 255);
  c.PutText(0, 0, "M");
  c.SetTextStyle(INT_MIN, 255, 255, 255);
  c.PutText(0, 0, "M");
  const std::string longText(200000, 'M');
  c.SetTextStyle(400, 255, 255, 255);
  c.PutText(-100, -100, longText.c_str());
  TextCoverage coverage;
  if (RasterizeText(longText, 400, coverage)) EXPECT_LE(coverage.alpha.size(), std::size_t{64} << 20);
  // Undecodable bytes still draw (as replacement glyphs) without harm.
  c.SetTextStyle(16, 255, 255, 255);
  c.PutText(0, 0, "\x81\xFF\x80\xA0\xFD");
}
