#include <gtest/gtest.h>

#include <climits>
#include <filesystem>

#include "canvas/canvas.h"
#include "tests/bmp_test_files.h"

using bmp_test::EncodeBmp;
using bmp_test::Solid;

namespace {

constexpr std::uint32_t kWhite = 0x00FFFFFF;

// A picture whose every pixel names its place.
Picture Labelled(int w, int h) {
  Picture p{w, h, {}};
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      p.pixels.push_back(0x00400000u | static_cast<std::uint32_t>(x) << 8 | static_cast<std::uint32_t>(y));
  return p;
}

class SpriteTest : public ::testing::Test {
 protected:
  SpriteTest() {
    canvas.Attach(nullptr, 20, 20);
    canvas.SetFileDirectory(dir.Path());
    Pattern();
    std::filesystem::create_directory(std::filesystem::path(dir.Path()) / "folder.bmp");
  }
  // A background where every pixel differs, so any stray write shows.
  void Pattern() {
    for (int i = 0; i < 400; ++i) canvas.MutablePixels()[i] = 0x00102030u + static_cast<std::uint32_t>(i) * 0x010203u;
    before.assign(canvas.Pixels(), canvas.Pixels() + 400);
  }
  // The sprite's rectangle holds `expect(x, y, old)`; everything else is as before.
  template <class Expect>
  void ExpectRect(int x0, int y0, int w, int h, Expect expect) {
    for (int y = 0; y < 20; ++y) {
      for (int x = 0; x < 20; ++x) {
        const std::uint32_t old = before[static_cast<std::size_t>(y) * 20 + x];
        const bool inside = x >= x0 && x - x0 < w && y >= y0 && y - y0 < h;
        ASSERT_EQ(canvas.PixelAt(x, y), inside ? expect(x - x0, y - y0, old) : old) << "at " << x << "," << y;
      }
    }
  }
  void ExpectUnchanged() {
    ExpectRect(0, 0, 0, 0, [](int, int, std::uint32_t old) { return old; });
  }
  bmp_test::TempDir dir;
  Canvas canvas;
  std::vector<std::uint32_t> before;
};

}  // namespace

TEST_F(SpriteTest, MaskByOrThenImageByAndBitForBit) {
  // White mask over a colour is opaque (0), black mask under white is
  // transparent (1); the rest are arbitrary bit patterns.
  Picture mask{4, 2, {kWhite, 0, 0x000F0F0F, 0x00F00000, 0x0000FF00, 0x00123456, kWhite, 0}};
  Picture image{4, 2, {0x00ABCDEF, kWhite, 0x00F0F0F0, 0x0000FFFF, kWhite, 0x00654321, 0, 0x00FF00FF}};
  dir.Write("i.bmp", EncodeBmp(image));
  dir.Write("m.bmp", EncodeBmp(mask));
  canvas.DrawSprite(3, 5, "i.bmp", "m.bmp", 4, 2);
  ExpectRect(3, 5, 4, 2, [&](int x, int y, std::uint32_t old) {
    const std::size_t k = static_cast<std::size_t>(y) * 4 + x;
    return (old | mask.pixels[k]) & image.pixels[k];
  });
}

TEST_F(SpriteTest, AMissingImageLeavesTheMaskAndAMissingMaskOnlyAndsTheImage) {
  dir.Write("m.bmp", EncodeBmp(Labelled(3, 3)));
  canvas.DrawSprite(1, 1, "absent.bmp", "m.bmp", 3, 3);
  ExpectRect(1, 1, 3, 3, [](int x, int y, std::uint32_t) { return Labelled(3, 3).pixels[y * 3 + x]; });
  Pattern();
  const Picture image{2, 2, {0x00FF00FF, 0x000000FF, kWhite, 0}};
  dir.Write("i.bmp", EncodeBmp(image));
  canvas.DrawSprite(10, 10, "i.bmp", "folder.bmp", 2, 2);  // a folder is no picture
  ExpectRect(10, 10, 2, 2, [&](int x, int y, std::uint32_t old) { return old & image.pixels[y * 2 + x]; });
  Pattern();
  canvas.DrawSprite(0, 0, "absent.bmp", "folder.bmp", 20, 20);
  canvas.DrawSprite(0, 0, "", "", 20, 20);
  ExpectUnchanged();
}

TEST_F(SpriteTest, StretchesEachFileToTheGivenSizeByNearestPixel) {
  const std::uint32_t a = 0x00110000, b = 0x00002200, c = 0x00000033, d = 0x00444444;
  dir.Write("q.bmp", EncodeBmp(Picture{2, 2, {a, b, c, d}}));
  dir.Write("one.bmp", EncodeBmp(Solid(1, 1, kWhite), {1}));  // the mask at another size
  canvas.DrawSprite(1, 2, "q.bmp", "one.bmp", 6, 4);
  ExpectRect(1, 2, 6, 4, [&](int x, int y, std::uint32_t) { return y < 2 ? (x < 3 ? a : b) : (x < 3 ? c : d); });
  // Squeezing takes the pixel under each destination pixel's centre.
  dir.Write("l.bmp", EncodeBmp(Labelled(4, 4)));
  canvas.DrawSprite(1, 2, "l.bmp", "l.bmp", 2, 2);
  EXPECT_EQ(canvas.PixelAt(1, 2), Labelled(4, 4).pixels[1 * 4 + 1]);
  EXPECT_EQ(canvas.PixelAt(2, 3), Labelled(4, 4).pixels[3 * 4 + 3]);
}

TEST_F(SpriteTest, OneFileAsImageAndMaskIsCopiedOpaqueAndClippedAtEveryEdge) {
  dir.Write("l.bmp", EncodeBmp(Labelled(6, 6), {8}));
  for (auto [x, y] : {std::pair{6, 7}, {-3, 5}, {17, 5}, {5, -4}, {5, 18}, {-5, -5}, {19, 19}}) {
    SCOPED_TRACE(::testing::Message() << x << "," << y);
    Pattern();
    canvas.DrawSprite(x, y, "l.bmp", "l.bmp", 6, 6);
    ExpectRect(x, y, 6, 6, [](int sx, int sy, std::uint32_t) { return Labelled(6, 6).pixels[sy * 6 + sx]; });
  }
}

TEST_F(SpriteTest, FarOutsideEmptyOrHugeSpritesTouchOnlyTheSurface) {
  dir.Write("l.bmp", EncodeBmp(Labelled(6, 6)));
  for (auto [x, y] : {std::pair{INT_MIN, 0},
                      {INT_MAX, 0},
                      {0, INT_MIN},
                      {0, INT_MAX},
                      {INT_MAX - 2, INT_MAX - 2},
                      {-100, 3},
                      {20, 3},
                      {3, 20}})
    canvas.DrawSprite(x, y, "l.bmp", "l.bmp", 6, 6);
  for (auto [w, h] : {std::pair{0, 5}, {5, 0}, {-3, 5}, {5, -3}, {INT_MIN, INT_MIN}})
    canvas.DrawSprite(2, 2, "l.bmp", "l.bmp", w, h);
  canvas.DrawSprite(INT_MAX, INT_MAX, "l.bmp", "l.bmp", INT_MAX, INT_MAX);
  ExpectUnchanged();
  // Two billion pixels wide, starting a hundred million to the left: the
  // surface sees the picture's top-left pixel only.
  canvas.DrawSprite(-100000000, -100000000, "l.bmp", "l.bmp", INT_MAX, INT_MAX);
  ExpectRect(0, 0, 20, 20, [](int, int, std::uint32_t) { return Labelled(6, 6).pixels[0]; });
}

TEST_F(SpriteTest, APictureChangedOnDiskShowsAtTheNextDraw) {
  const std::string path = dir.Write("p.bmp", EncodeBmp(Solid(3, 3, 0x00111111)));
  canvas.DrawSprite(0, 0, "p.bmp", "p.bmp", 3, 3);
  canvas.DrawSprite(0, 0, "p.bmp", "p.bmp", 3, 3);
  EXPECT_EQ(canvas.PixelAt(1, 1), 0x00111111u);
  EXPECT_EQ(canvas.PictureDecodeCount(), 1u);  // unchanged file: decoded once
  // Rewritten in place at the same size; only the time tells.
  const auto stamp = std::filesystem::last_write_time(path);
  dir.Write("p.bmp", EncodeBmp(Solid(3, 3, 0x00222222)));
  std::filesystem::last_write_time(path, stamp + std::chrono::seconds(1));
  canvas.DrawSprite(0, 0, "p.bmp", "p.bmp", 3, 3);
  EXPECT_EQ(canvas.PixelAt(1, 1), 0x00222222u);
  // Replaced by a rename with the old time: the file's identity tells.
  const std::string other = dir.Write("new.bmp", EncodeBmp(Solid(3, 3, 0x00333333)));
  std::filesystem::last_write_time(other, stamp + std::chrono::seconds(1));
  std::filesystem::rename(other, path);
  canvas.DrawSprite(0, 0, "p.bmp", "p.bmp", 3, 3);
  EXPECT_EQ(canvas.PixelAt(1, 1), 0x00333333u);
  // Gone: missing at once.
  dir.Remove("p.bmp");
  Pattern();
  canvas.DrawSprite(0, 0, "p.bmp", "p.bmp", 3, 3);
  ExpectUnchanged();
}

TEST(SpriteFiles, BareNamesGoToTheFileDirectoryAndPathsStayAsGiven) {
  Canvas c;
  EXPECT_EQ(c.PicturePath("coin.bmp"), "coin.bmp");  // the working directory
  c.SetFileDirectory("/data/art");
  EXPECT_EQ(c.PicturePath("coin.bmp"), "/data/art/coin.bmp");
  EXPECT_EQ(c.PicturePath("sub/coin.bmp"), "sub/coin.bmp");
  c.SetFileDirectory("/data/art/");
  EXPECT_EQ(c.PicturePath("coin.bmp"), "/data/art/coin.bmp");
}
