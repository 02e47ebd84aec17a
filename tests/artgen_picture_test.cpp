// The generated pictures: sizes and headers the canvas can read, masks that
// suit the OR-then-AND compositing, and a prize board that shows the prizes.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "render/asset_names.h"
#include "tests/generated_assets.h"

namespace {

constexpr std::uint32_t kWhitePixel = 0xFFFFFF;

struct Bitmap {
  int width = 0, height = 0;
  std::vector<std::uint32_t> pixels;  // 0xRRGGBB, rows top-down
  std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

std::vector<unsigned char> ReadAll(const std::string& name) {
  std::ifstream in(kAssets + "/" + name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

std::uint32_t Le32(const std::vector<unsigned char>& b, std::size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}
unsigned Le16(const std::vector<unsigned char>& b, std::size_t at) { return b[at] | b[at + 1] << 8; }

// Reads a bitmap and checks every header field the canvas relies on.
Bitmap ReadBitmap(const std::string& name, int width, int height) {
  const std::vector<unsigned char> b = ReadAll(name);
  Bitmap bmp;
  EXPECT_GE(b.size(), 54u) << name;
  if (b.size() < 54) return bmp;
  const std::uint32_t rowBytes = (static_cast<std::uint32_t>(width) * 3 + 3) & ~3u;
  EXPECT_EQ(b[0], 'B') << name;
  EXPECT_EQ(b[1], 'M') << name;
  EXPECT_EQ(Le32(b, 2), b.size()) << name;
  EXPECT_EQ(Le32(b, 10), 54u) << name;
  EXPECT_EQ(Le32(b, 14), 40u) << name << ": info header";
  EXPECT_EQ(static_cast<std::int32_t>(Le32(b, 18)), width) << name;
  EXPECT_EQ(static_cast<std::int32_t>(Le32(b, 22)), height) << name << ": bottom-up rows need a positive height";
  EXPECT_EQ(Le16(b, 26), 1u) << name;
  EXPECT_EQ(Le16(b, 28), 24u) << name;
  EXPECT_EQ(Le32(b, 30), 0u) << name << ": uncompressed";
  EXPECT_EQ(b.size(), 54u + rowBytes * height) << name;
  if (b.size() != 54u + rowBytes * height) return bmp;
  bmp.width = width;
  bmp.height = height;
  bmp.pixels.resize(static_cast<std::size_t>(width) * height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const std::size_t at = 54 + static_cast<std::size_t>(height - 1 - y) * rowBytes + x * 3;
      bmp.pixels[static_cast<std::size_t>(y) * width + x] = b[at] | b[at + 1] << 8 | b[at + 2] << 16;
    }
  return bmp;
}

std::uint32_t Rgb(int r, int g, int b) { return static_cast<std::uint32_t>(r << 16 | g << 8 | b); }
int Brightness(std::uint32_t c) { return (c >> 16 & 255) + (c >> 8 & 255) + (c & 255); }

// The picture `name` names (its image or its mask), read at the size the
// game's table of pictures gives it.
Bitmap ReadPicture(const asset::PictureFacts& picture, const char* name) {
  return ReadBitmap(name, picture.width, picture.height);
}

TEST(ArtgenPictures, EveryPictureHasTheSizeTheFrameDrawsItAt) {
  REQUIRE_ASSETS();
  for (const asset::PictureFacts& p : asset::kPictureTable) {
    EXPECT_FALSE(ReadPicture(p, p.image).pixels.empty()) << p.image;
    EXPECT_FALSE(ReadPicture(p, p.mask).pixels.empty()) << p.mask;
  }
}

// Where the mask is black the image must be white, or the AND step would
// stain the canvas around the sprite; masks must be pure black or white.
TEST(ArtgenPictures, EveryMaskSuitsItsImage) {
  REQUIRE_ASSETS();
  for (const asset::PictureFacts& s : asset::kPictureTable) {
    if (std::string(s.image) == s.mask) continue;  // drawn opaque
    const Bitmap image = ReadPicture(s, s.image);
    const Bitmap mask = ReadPicture(s, s.mask);
    ASSERT_FALSE(image.pixels.empty()) << s.image;
    ASSERT_FALSE(mask.pixels.empty()) << s.mask;
    int opaque = 0, staining = 0, grey = 0;
    for (std::size_t i = 0; i < mask.pixels.size(); ++i) {
      if (mask.pixels[i] == kWhitePixel)
        ++opaque;
      else if (mask.pixels[i] != 0)
        ++grey;
      else if (image.pixels[i] != kWhitePixel)
        ++staining;
    }
    EXPECT_EQ(grey, 0) << s.mask;
    EXPECT_EQ(staining, 0) << s.image;
    EXPECT_GT(opaque, 0) << s.mask << " shows nothing";
  }
}

// Stretched from 181 to 191 pixels wide, the pusher must stay a solid slab:
// a hole would show the playfield through the table, and an edge pixel that
// is transparent in the mask would meet a coloured image pixel when a shrink
// merges neighbours.
TEST(ArtgenPictures, PusherTableIsSolidAcrossItsWidth) {
  REQUIRE_ASSETS();
  const Bitmap mask = ReadPicture(asset::kPusherTablePicture, asset::kBarMask);
  ASSERT_FALSE(mask.pixels.empty());
  for (int y = 0; y < 103; ++y)
    for (int x = 0; x < 189; ++x) ASSERT_EQ(mask.At(x, y), kWhitePixel) << "hole at " << x << "," << y;
}

TEST(ArtgenPictures, CoinsAreRoundAndTheLyingCoinIsDarker) {
  REQUIRE_ASSETS();
  const Bitmap coin = ReadPicture(asset::kFallingCoinPicture, asset::kCoin);
  const Bitmap lying = ReadPicture(asset::kLyingCoinPicture, asset::kLyingCoin);
  for (const char* maskName : {"coinmask.bmp", "coin2mask.bmp"}) {
    const Bitmap mask = ReadPicture(asset::kFallingCoinPicture, maskName);
    ASSERT_FALSE(mask.pixels.empty());
    for (auto [x, y] : {std::pair{0, 0}, {14, 0}, {0, 14}, {14, 14}}) EXPECT_EQ(mask.At(x, y), 0u) << maskName;
    for (auto [x, y] : {std::pair{7, 7}, {7, 0}, {0, 7}, {14, 7}, {7, 14}})
      EXPECT_EQ(mask.At(x, y), kWhitePixel) << maskName;
    for (int y = 0; y < 15; ++y)
      for (int x = 0; x < 15; ++x) EXPECT_EQ(mask.At(x, y), mask.At(14 - x, y)) << maskName << " is lopsided";
  }
  long sumCoin = 0, sumLying = 0;
  for (int y = 4; y < 11; ++y)
    for (int x = 4; x < 11; ++x) {
      sumCoin += Brightness(coin.At(x, y));
      sumLying += Brightness(lying.At(x, y));
    }
  EXPECT_LT(sumLying, sumCoin);
}

// The marker is drawn at (coinX - 3, coinY - 24): the bonus coin itself must
// show through it, with the marker's ink above the coin.
TEST(ArtgenPictures, BonusMarkerLeavesTheCoinVisible) {
  REQUIRE_ASSETS();
  const Bitmap mask = ReadPicture(asset::kBonusMarkerPicture, asset::kBonusMarkerMask);
  ASSERT_FALSE(mask.pixels.empty());
  for (int y = 26; y < 37; ++y)
    for (int x = 5; x < 16; ++x) EXPECT_EQ(mask.At(x, y), 0u) << "covers the coin at " << x << "," << y;
  int above = 0;
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 22; ++x) above += mask.At(x, y) == kWhitePixel;
  EXPECT_GT(above, 100);
}

TEST(ArtgenPictures, SweeperFramesDifferSoTheFigureWalks) {
  REQUIRE_ASSETS();
  const Bitmap a = ReadPicture(asset::kSweeperPicture, asset::kSweeper);
  const Bitmap b = ReadPicture(asset::kSweeper2Picture, asset::kSweeper2);
  ASSERT_FALSE(a.pixels.empty());
  ASSERT_FALSE(b.pixels.empty());
  int differing = 0;
  for (std::size_t i = 0; i < a.pixels.size(); ++i) differing += a.pixels[i] != b.pixels[i];
  EXPECT_GT(differing, 150);
}

// The board as the lottery awards it: 0 blank, n > 0 coins, -1 sweep, -2 magic.
constexpr int kSweep = -1, kMagic = -2;
constexpr int kBoard[3][8] = {
    {1, 0, 2, 10, kSweep, 7, 0, kSweep},
    {kSweep, 2, kSweep, 1, 0, kMagic, kSweep, 100},
    {0, kMagic, 0, 5, kSweep, 0, 1, 0},
};

// Picture coordinates of cell (column, row); the game draws it at (140, 84)
// on the canvas, the upper cabinet at (126, 20).
std::vector<std::uint32_t> CellPixels(const Bitmap& top, int column, int row, int from, int to) {
  std::vector<std::uint32_t> out;
  const int left = 14 + 17 * column, cellTop = 64 + 17 * row;
  for (int y = from; y <= to; ++y)
    for (int x = from; x <= to; ++x) out.push_back(top.At(left + x, cellTop + y));
  return out;
}

TEST(ArtgenPictures, BoardCellsShowTheirPrizes) {
  REQUIRE_ASSETS();
  const Bitmap top = ReadPicture(asset::kUpperCabinetPicture, asset::kTop);
  ASSERT_FALSE(top.pixels.empty());
  std::map<int, std::vector<std::uint32_t>> lookOfPrize;
  for (int row = 0; row < 3; ++row)
    for (int column = 0; column < 8; ++column) {
      const std::vector<std::uint32_t> look = CellPixels(top, column, row, 1, 16);
      const int prize = kBoard[row][column];
      auto [it, first] = lookOfPrize.emplace(prize, look);
      if (!first) {
        EXPECT_EQ(it->second, look) << "cell " << column << "," << row << " differs from its kind";
      }
    }
  ASSERT_EQ(lookOfPrize.size(), 9u);
  for (auto a = lookOfPrize.begin(); a != lookOfPrize.end(); ++a)
    for (auto b = std::next(a); b != lookOfPrize.end(); ++b)
      EXPECT_NE(a->second, b->second) << "prizes " << a->first << " and " << b->first << " look alike";

  // A blank cell is a plain ground with at most a dash on it.
  const std::vector<std::uint32_t>& blank = lookOfPrize[0];
  EXPECT_LE(std::set<std::uint32_t>(blank.begin(), blank.end()).size(), 2u);
}

// The 3-pixel cursor runs over the cell edges; a symbol must not reach under
// it, so the ring just inside each edge holds nothing but the cell's ground.
TEST(ArtgenPictures, BoardSymbolsStayClearOfTheCursor) {
  REQUIRE_ASSETS();
  const Bitmap top = ReadPicture(asset::kUpperCabinetPicture, asset::kTop);
  ASSERT_FALSE(top.pixels.empty());
  for (int row = 0; row < 3; ++row)
    for (int column = 0; column < 8; ++column) {
      const int left = 14 + 17 * column, cellTop = 64 + 17 * row;
      std::set<std::uint32_t> ring;
      for (int i = 1; i <= 16; ++i) {
        ring.insert(top.At(left + i, cellTop + 1));
        ring.insert(top.At(left + i, cellTop + 16));
        ring.insert(top.At(left + 1, cellTop + i));
        ring.insert(top.At(left + 16, cellTop + i));
      }
      EXPECT_EQ(ring.size(), 1u) << "cell " << column << "," << row;
    }
}

// The yellow cursor must stand out from every cell it may rest on.
TEST(ArtgenPictures, BoardGroundIsDarkUnderTheYellowCursor) {
  REQUIRE_ASSETS();
  const Bitmap top = ReadPicture(asset::kUpperCabinetPicture, asset::kTop);
  ASSERT_FALSE(top.pixels.empty());
  const int yellow = Brightness(Rgb(255, 255, 0));
  for (int row = 0; row < 3; ++row)
    for (int column = 0; column < 8; ++column)
      EXPECT_LT(Brightness(top.At(14 + 17 * column + 1, 64 + 17 * row + 1)), yellow / 2);
}

}  // namespace
