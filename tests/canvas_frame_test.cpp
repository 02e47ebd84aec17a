// The composed frame of a real game tick: cabinet pictures, texts, the
// lottery cursor and a falling coin, each at its place on the surface.
#include <gtest/gtest.h>

#include "canvas/picture_cache.h"
#include "game/coin_life.h"
#include "game/constants.h"
#include "cabinet/cabinet.h"
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
  struct StandIn {
    const char *image, *mask;
    int w, h;
    std::uint32_t colour;
  };
  for (const StandIn& s : {StandIn{asset::kBack, nullptr, 215, 368, 0x00000040},
                           {asset::kBase, asset::kBaseMask, 217, 240, 0x00004000},
                           {asset::kBar, asset::kBarMask, 189, 103, 0x00808080},
                           {asset::kTop, nullptr, 165, 162, kStandInTop},
                           {asset::kGate, asset::kGateMask, 25, 20, kStandInGate},
                           {asset::kLyingCoin, asset::kLyingCoinMask, 15, 15, 0x00A0A0A0}}) {
    dir.Write(s.image, EncodeBmp(Solid(s.w, s.h, s.colour)));
    if (s.mask) dir.Write(s.mask, EncodeBmp(Solid(s.w, s.h, 0x00FFFFFF)));
  }
  // The falling coin is round-ish: its four corner pixels are transparent.
  Picture coin = Solid(15, 15, kStandInCoin), mask = Solid(15, 15, 0x00FFFFFF);
  for (int k : {0, 14, 14 * 15, 15 * 15 - 1}) {
    coin.pixels[k] = 0x00FFFFFF;
    mask.pixels[k] = 0;
  }
  dir.Write(asset::kCoin, EncodeBmp(coin));
  dir.Write(asset::kCoinMask, EncodeBmp(mask, {1}));
}

// Program start, four ticks, a right-arrow press, six more ticks.
void ExpectTickTenFrame(const std::string& dir, bool standIns) {
  NullWindow window;
  StartFreshGame(window);
  cabinet::TickResult result{};
  for (int tick = 1; tick <= 10; ++tick) {
    if (tick == 5) InsertCoin(kVirtualKeyRight);
    result = cabinet::Tick();
  }
  cabinet::FrameComposer composer;
  composer.SetPictureFolder(dir);
  struct {
    const std::uint32_t* pixels;
    int width;
    std::uint32_t PixelAt(int x, int y) const { return pixels[y * width + x]; }
  } c{composer.Compose(*result.display), composer.Width()};
  ASSERT_EQ(composer.Height(), 800);

  // The credit line, white on the black left of the cabinet.
  int bright = 0;
  for (int y = 50; y < 66; ++y)
    for (int x = 5; x < 60; ++x) bright += (c.PixelAt(x, y) & 0x00C0C0C0) == 0x00C0C0C0;
  EXPECT_GT(bright, 20);

  // The cursor at column 0, row 0: three-pixel strokes centred on the
  // cell's edges (140, 84)-(157, 101), and nothing yellow just past them.
  for (int y = 82; y <= 103; ++y) {
    for (int x = 138; x <= 159; ++x) {
      const bool outside = x == 138 || x == 159 || y == 82 || y == 103;
      const bool stroke = !outside && (x <= 141 || x >= 156 || y <= 85 || y >= 100);
      if (stroke || standIns) {
        EXPECT_EQ(c.PixelAt(x, y) == kYellow, stroke) << x << "," << y;
      }
    }
  }

  // The coin the gate caught, at (246, 136): wherever its mask is white
  // the canvas shows the coin picture.
  PictureCache files;
  const auto coin = files.Load(dir + "/" + asset::kCoin), mask = files.Load(dir + "/" + asset::kCoinMask);
  ASSERT_TRUE(coin && mask && coin->width == 15 && mask->width == 15);
  int opaque = 0;
  for (int k = 0; k < 15 * 15; ++k) {
    if (mask->pixels[k] != 0x00FFFFFF) continue;
    ++opaque;
    EXPECT_EQ(c.PixelAt(246 + k % 15, 136 + k / 15), coin->pixels[k]) << k % 15 << "," << k / 15;
  }
  EXPECT_GT(opaque, 100);
  if (standIns) {
    // Its transparent corners show what lies beneath: the upper cabinet
    // above the gate and the gate itself.
    EXPECT_EQ(c.PixelAt(246, 136), kStandInTop);
    EXPECT_EQ(c.PixelAt(260, 150), kStandInGate);
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
