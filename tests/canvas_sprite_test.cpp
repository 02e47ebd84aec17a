#include <gtest/gtest.h>

#include <climits>
#include <filesystem>

#include "canvas/canvas.h"
#include "tests/bmp_test_files.h"

using bmp_test::EncodeBmp;
using bmp_test::Solid;
using bmp_test::TempDir;

namespace {

constexpr std::uint32_t kWhite = 0x00FFFFFF;

// A background where every pixel differs, so any stray write shows.
void Pattern(Canvas& c) {
  std::uint32_t* p = c.MutablePixels();
  for (int i = 0; i < c.Width() * c.Height(); ++i) p[i] = 0x00102030u + static_cast<std::uint32_t>(i) * 0x010203u;
}

std::vector<std::uint32_t> Snapshot(const Canvas& c) {
  return std::vector<std::uint32_t>(c.Pixels(), c.Pixels() + static_cast<std::size_t>(c.Width()) * c.Height());
}

// A picture whose every pixel names its place.
Picture Labelled(int w, int h) {
  Picture p{w, h, {}};
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) p.pixels.push_back(0x00400000u | static_cast<std::uint32_t>(x) << 8 | static_cast<std::uint32_t>(y));
  return p;
}

class SpriteTest : public ::testing::Test {
 protected:
  SpriteTest() {
    canvas.Attach(nullptr, 20, 20);
    canvas.SetFileDirectory(dir.Path());
    Pattern(canvas);
    before = Snapshot(canvas);
  }
  // Checks the sprite's rectangle against `expect(x, y, old)` and that
  // nothing outside it changed.
  template <class Expect>
  void ExpectRect(int x0, int y0, int w, int h, Expect expect) {
    for (int y = 0; y < 20; ++y) {
      for (int x = 0; x < 20; ++x) {
        const std::uint32_t old = before[static_cast<std::size_t>(y) * 20 + x];
        const bool inside = x >= x0 && x < x0 + w && y >= y0 && y < y0 + h;
        const std::uint32_t want = inside ? expect(x - x0, y - y0, old) : old;
        ASSERT_EQ(canvas.PixelAt(x, y), want) << "at " << x << "," << y;
      }
    }
  }
  TempDir dir;
  Canvas canvas;
  std::vector<std::uint32_t> before;
};

}  // namespace

TEST_F(SpriteTest, MaskByOrThenImageByAndBitForBit) {
  // Arbitrary bit patterns, not only black and white.
  Picture mask{4, 2, {0x00FFFFFF, 0, 0x000F0F0F, 0x00F00000, 0x0000FF00, 0x00123456, 0x00FFFFFF, 0}};
  Picture image{4, 2, {0x00ABCDEF, kWhite, 0x00F0F0F0, 0x0000FFFF, kWhite, 0x00654321, 0, 0x00FF00FF}};
  dir.Write("i.bmp", EncodeBmp(image));
  dir.Write("m.bmp", EncodeBmp(mask));
  canvas.DrawSprite(3, 5, "i.bmp", "m.bmp", 4, 2);
  ExpectRect(3, 5, 4, 2, [&](int x, int y, std::uint32_t old) {
    const std::size_t k = static_cast<std::size_t>(y) * 4 + x;
    return (old | mask.pixels[k]) & image.pixels[k];
  });
}

TEST_F(SpriteTest, BlackMaskWithWhiteImageIsTransparentAndWhiteMaskIsOpaque) {
  Picture mask{2, 1, {kWhite, 0}};
  Picture image{2, 1, {0x00336699, kWhite}};
  dir.Write("i.bmp", EncodeBmp(image));
  dir.Write("m.bmp", EncodeBmp(mask));
  canvas.DrawSprite(0, 0, "i.bmp", "m.bmp", 2, 1);
  ExpectRect(0, 0, 2, 1, [](int x, int, std::uint32_t old) { return x == 0 ? 0x00336699u : old; });
}

TEST_F(SpriteTest, OneFileAsImageAndMaskIsCopiedOpaque) {
  dir.Write("p.bmp", EncodeBmp(Labelled(5, 4), {8}));
  canvas.DrawSprite(6, 7, "p.bmp", "p.bmp", 5, 4);
  ExpectRect(6, 7, 5, 4, [](int x, int y, std::uint32_t) { return Labelled(5, 4).pixels[y * 5 + x]; });
}

TEST_F(SpriteTest, MissingImageLeavesTheMaskItself) {
  dir.Write("m.bmp", EncodeBmp(Labelled(3, 3)));
  canvas.DrawSprite(1, 1, "absent.bmp", "m.bmp", 3, 3);
  ExpectRect(1, 1, 3, 3, [](int x, int y, std::uint32_t) { return Labelled(3, 3).pixels[y * 3 + x]; });
}

TEST_F(SpriteTest, MissingMaskOnlyAndsTheImage) {
  const Picture image{2, 2, {0x00FF00FF, 0x000000FF, kWhite, 0}};
  dir.Write("i.bmp", EncodeBmp(image));
  canvas.DrawSprite(10, 10, "i.bmp", "absent.bmp", 2, 2);
  ExpectRect(10, 10, 2, 2, [&](int x, int y, std::uint32_t old) { return old & image.pixels[y * 2 + x]; });
}

TEST_F(SpriteTest, BothMissingOrEmptyNamesChangeNothing) {
  canvas.DrawSprite(0, 0, "absent.bmp", "absent2.bmp", 20, 20);
  canvas.DrawSprite(0, 0, "", "", 20, 20);
  EXPECT_EQ(Snapshot(canvas), before);
}

TEST_F(SpriteTest, NoSizeDrawsNothing) {
  dir.Write("p.bmp", EncodeBmp(Solid(2, 2, 0)));
  for (auto [w, h] : {std::pair{0, 5}, {5, 0}, {-3, 5}, {5, -3}, {INT_MIN, INT_MIN}})
    canvas.DrawSprite(2, 2, "p.bmp", "p.bmp", w, h);
  EXPECT_EQ(Snapshot(canvas), before);
}

TEST_F(SpriteTest, StretchesEachFileToTheGivenSizeByNearestPixel) {
  const std::uint32_t a = 0x00110000, b = 0x00002200, c = 0x00000033, d = 0x00444444;
  dir.Write("q.bmp", EncodeBmp(Picture{2, 2, {a, b, c, d}}));
  canvas.DrawSprite(1, 2, "q.bmp", "q.bmp", 6, 4);
  ExpectRect(1, 2, 6, 4, [&](int x, int y, std::uint32_t) { return y < 2 ? (x < 3 ? a : b) : (x < 3 ? c : d); });
  // Squeezing takes the pixel under each destination pixel's centre.
  dir.Write("l.bmp", EncodeBmp(Labelled(4, 4)));
  canvas.DrawSprite(1, 2, "l.bmp", "l.bmp", 2, 2);
  EXPECT_EQ(canvas.PixelAt(1, 2), Labelled(4, 4).pixels[1 * 4 + 1]);
  EXPECT_EQ(canvas.PixelAt(2, 3), Labelled(4, 4).pixels[3 * 4 + 3]);
}

TEST_F(SpriteTest, ImageAndMaskOfDifferentSizesAreEachStretched) {
  dir.Write("one.bmp", EncodeBmp(Solid(1, 1, kWhite), {1}));
  dir.Write("q.bmp", EncodeBmp(Picture{2, 1, {0x00AA0000, 0x000000BB}}));
  canvas.DrawSprite(4, 4, "q.bmp", "one.bmp", 4, 3);
  ExpectRect(4, 4, 4, 3, [](int x, int, std::uint32_t) { return x < 2 ? 0x00AA0000u : 0x000000BBu; });
}

TEST_F(SpriteTest, ClipsAtEveryEdgeShowingTheRightPartOfThePicture) {
  dir.Write("l.bmp", EncodeBmp(Labelled(6, 6)));
  const Picture l = Labelled(6, 6);
  for (auto [x, y] : {std::pair{-3, 5}, {17, 5}, {5, -4}, {5, 18}, {-5, -5}, {19, 19}}) {
    SCOPED_TRACE(std::to_string(x) + "," + std::to_string(y));
    Pattern(canvas);
    canvas.DrawSprite(x, y, "l.bmp", "l.bmp", 6, 6);
    for (int py = 0; py < 20; ++py) {
      for (int px = 0; px < 20; ++px) {
        const int sx = px - x, sy = py - y;
        const bool inside = sx >= 0 && sx < 6 && sy >= 0 && sy < 6;
        ASSERT_EQ(canvas.PixelAt(px, py), inside ? l.pixels[sy * 6 + sx] : before[py * 20 + px]);
      }
    }
  }
}

TEST_F(SpriteTest, FarOutsideOrHugeSpritesTouchOnlyTheSurface) {
  dir.Write("l.bmp", EncodeBmp(Labelled(6, 6)));
  for (auto [x, y] : {std::pair{INT_MIN, 0}, {INT_MAX, 0}, {0, INT_MIN}, {0, INT_MAX}, {INT_MAX - 2, INT_MAX - 2},
                      {-100, 3}, {20, 3}, {3, 20}})
    canvas.DrawSprite(x, y, "l.bmp", "l.bmp", 6, 6);
  EXPECT_EQ(Snapshot(canvas), before);
  canvas.DrawSprite(INT_MAX, INT_MAX, "l.bmp", "l.bmp", INT_MAX, INT_MAX);
  EXPECT_EQ(Snapshot(canvas), before);
  // Two billion pixels wide, starting a hundred million to the left: the surface
  // sees the picture's top-left pixel only.
  canvas.DrawSprite(-100000000, -100000000, "l.bmp", "l.bmp", INT_MAX, INT_MAX);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) ASSERT_EQ(canvas.PixelAt(x, y), Labelled(6, 6).pixels[0]);
}

TEST_F(SpriteTest, DamagedFilesCountAsMissing) {
  const std::string good = EncodeBmp(Solid(4, 4, 0x00C0C0C0));
  const std::string bad[] = {
      "", "BM", good.substr(0, 40), good.substr(0, good.size() - 10), "not a bitmap at all, just text",
      std::string(100000, '\xFF'),
  };
  const Picture mask = Labelled(4, 4);
  dir.Write("mask.bmp", EncodeBmp(mask));
  dir.Write("image.bmp", good);
  for (const std::string& bytes : bad) {
    dir.Write("bad.bmp", bytes);
    Pattern(canvas);
    canvas.DrawSprite(2, 2, "bad.bmp", "mask.bmp", 4, 4);
    ExpectRect(2, 2, 4, 4, [&](int x, int y, std::uint32_t) { return mask.pixels[y * 4 + x]; });
    Pattern(canvas);
    canvas.DrawSprite(2, 2, "image.bmp", "bad.bmp", 4, 4);
    ExpectRect(2, 2, 4, 4, [](int, int, std::uint32_t old) { return old & 0x00C0C0C0u; });
  }
  dir.Remove("bad.bmp");
  std::filesystem::create_directory(std::filesystem::path(dir.Path()) / "folder.bmp");
  Pattern(canvas);
  canvas.DrawSprite(2, 2, "folder.bmp", "folder.bmp", 4, 4);
  EXPECT_EQ(Snapshot(canvas), before);
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

  // A different size, and then gone.
  dir.Write("p.bmp", EncodeBmp(Solid(2, 2, 0x00444444)));
  canvas.DrawSprite(0, 0, "p.bmp", "p.bmp", 3, 3);
  EXPECT_EQ(canvas.PixelAt(1, 1), 0x00444444u);
  dir.Remove("p.bmp");
  Pattern(canvas);
  canvas.DrawSprite(0, 0, "p.bmp", "p.bmp", 3, 3);
  EXPECT_EQ(Snapshot(canvas), before);
}

TEST(SpriteFiles, BareNamesGoToTheFileDirectoryAndPathsStayAsGiven) {
  Canvas c;
  EXPECT_EQ(c.PicturePath("coin.bmp"), "coin.bmp");
  c.SetFileDirectory("/data/art");
  EXPECT_EQ(c.PicturePath("coin.bmp"), "/data/art/coin.bmp");
  EXPECT_EQ(c.PicturePath("sub/coin.bmp"), "sub/coin.bmp");
  EXPECT_EQ(c.PicturePath("/abs/coin.bmp"), "/abs/coin.bmp");
  c.SetFileDirectory("/data/art/");
  EXPECT_EQ(c.PicturePath("coin.bmp"), "/data/art/coin.bmp");
}

TEST(SpriteFiles, AnEmptyFileDirectoryMeansTheWorkingDirectory) {
  TempDir dir;
  dir.Write("here.bmp", EncodeBmp(Solid(2, 2, 0x00ABCDEF)));
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(dir.Path());
  Canvas c;
  c.Attach(nullptr, 4, 4);
  c.DrawSprite(1, 1, "here.bmp", "here.bmp", 2, 2);
  std::filesystem::current_path(previous);
  EXPECT_EQ(c.PixelAt(1, 1), 0x00ABCDEFu);
  EXPECT_EQ(c.PixelAt(0, 0), 0u);
}
