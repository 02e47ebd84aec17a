// The composed frame of a real game tick: cabinet pictures, texts, the
// lottery cursor and a falling coin, each at its place on the surface.
#include <gtest/gtest.h>

#include "canvas/bmp_reader.h"
#include "canvas/picture_cache.h"
#include "game/coin_life.h"
#include "game/constants.h"
#include "game/tick.h"
#include "render/asset_names.h"
#include "tests/bmp_test_files.h"
#include "tests/test_support.h"

using bmp_test::EncodeBmp;
using bmp_test::Solid;

namespace {

constexpr std::uint32_t kYellow = 0x00FFFF00;
constexpr std::uint32_t kStandInTop = 0x00400040;
constexpr std::uint32_t kStandInGate = 0x00008080;
constexpr std::uint32_t kStandInCoin = 0x00C08040;

// Plain pictures of the sizes the game draws them at: enough to check where
// things land, whatever the real artwork looks like.
void WriteStandIns(const bmp_test::TempDir& dir) {
  auto opaque = [&](const char* image, const char* mask, int w, int h, std::uint32_t colour) {
    dir.Write(image, EncodeBmp(Solid(w, h, colour)));
    if (mask) dir.Write(mask, EncodeBmp(Solid(w, h, 0x00FFFFFF)));
  };
  opaque(asset::kBack, nullptr, 215, 368, 0x00000040);
  opaque(asset::kBase, asset::kBaseMask, 217, 240, 0x00004000);
  opaque(asset::kBar, asset::kBarMask, 189, 103, 0x00808080);
  opaque(asset::kTop, nullptr, 165, 162, kStandInTop);
  opaque(asset::kGate, asset::kGateMask, 25, 20, kStandInGate);
  opaque(asset::kLyingCoin, asset::kLyingCoinMask, 15, 15, 0x00A0A0A0);
  // The falling coin is round-ish: its four corner pixels are transparent.
  Picture coin = Solid(15, 15, kStandInCoin);
  Picture mask = Solid(15, 15, 0x00FFFFFF);
  for (int k : {0, 14, 14 * 15, 15 * 15 - 1}) {
    coin.pixels[k] = 0x00FFFFFF;
    mask.pixels[k] = 0;
  }
  dir.Write(asset::kCoin, EncodeBmp(coin));
  dir.Write(asset::kCoinMask, EncodeBmp(mask, {1}));
}

// Program start, four ticks, a right-arrow press, six more ticks.
void PlayToTickTen(const std::string& pictureDir) {
  NullWindow window;
  StartFreshGame(window);
  mainCanvas.SetFileDirectory(pictureDir);
  for (int tick = 1; tick <= 4; ++tick) GameTick(&window);
  InsertCoin(kVirtualKeyRight);
  for (int tick = 5; tick <= 10; ++tick) GameTick(&window);
  mainCanvas.SetFileDirectory("");
}

Picture Load(const std::string& dir, const char* name) {
  std::string bytes;
  Picture picture;
  if (ReadFileBytes(dir + "/" + name, 1 << 24, bytes))
    DecodeBmp(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), picture);
  return picture;
}

void ExpectTickTenFrame(const std::string& dir, bool standIns) {
  PlayToTickTen(dir);
  const Canvas& c = mainCanvas;
  ASSERT_TRUE(c.IsAttached());

  // The credit line, white on the black left of the cabinet.
  int bright = 0;
  for (int y = 50; y < 66; ++y)
    for (int x = 5; x < 60; ++x) bright += (c.PixelAt(x, y) & 0x00C0C0C0) == 0x00C0C0C0;
  EXPECT_GT(bright, 20);

  // The cursor at column 0, row 0: three-pixel strokes centred on the
  // cell's edges (140, 84)-(157, 101).
  for (int y = 83; y <= 102; ++y) {
    for (int x = 139; x <= 158; ++x) {
      const bool stroke = x <= 141 || x >= 156 || y <= 85 || y >= 100;
      if (stroke) {
        EXPECT_EQ(c.PixelAt(x, y), kYellow) << x << "," << y;
      } else if (standIns) {
        EXPECT_NE(c.PixelAt(x, y), kYellow) << x << "," << y;
      }
    }
  }
  if (standIns) {
    for (int y = 80; y <= 105; ++y) {
      EXPECT_NE(c.PixelAt(138, y), kYellow);
      EXPECT_NE(c.PixelAt(159, y), kYellow);
    }
  }

  // The coin the gate caught, at (246, 136): wherever its mask is white
  // the canvas shows the coin picture.
  const Picture coin = Load(dir, asset::kCoin);
  const Picture mask = Load(dir, asset::kCoinMask);
  ASSERT_EQ(coin.width, 15);
  ASSERT_EQ(mask.width, 15);
  int opaque = 0;
  for (int y = 0; y < 15; ++y) {
    for (int x = 0; x < 15; ++x) {
      if (mask.pixels[y * 15 + x] != 0x00FFFFFF) continue;
      ++opaque;
      EXPECT_EQ(c.PixelAt(246 + x, 136 + y), coin.pixels[y * 15 + x]) << x << "," << y;
    }
  }
  EXPECT_GT(opaque, 100);
  if (standIns) {
    // Its transparent corners show what lies beneath: the upper cabinet
    // above the gate and the gate itself.
    EXPECT_EQ(c.PixelAt(246, 136), kStandInTop);
    EXPECT_EQ(c.PixelAt(260, 150), kStandInGate);
    EXPECT_EQ(c.PixelAt(245, 136), kStandInTop);
    EXPECT_EQ(c.PixelAt(261, 150), kStandInGate);
  }
}

}  // namespace

TEST(CanvasFrame, TickTenWithStandInPictures) {
  bmp_test::TempDir dir;
  WriteStandIns(dir);
  ExpectTickTenFrame(dir.Path(), true);
}

#ifdef MAROBEL_ASSETS_DIR
TEST(CanvasFrame, TickTenWithTheGeneratedPictures) { ExpectTickTenFrame(MAROBEL_ASSETS_DIR, false); }
#endif
