// A tick's display list is its frame: composed again on a canvas of its
// own, it gives exactly the pixels of the canvas the tick drew on.
#include <gtest/gtest.h>

#include <cstring>

#include "app/session/key_script.h"
#include "cabinet/cabinet.h"
#include "render/main_canvas.h"
#include "render/sprite_tags.h"
#include "tests/golden_games.h"
#include "tests/test_support.h"

namespace {

#ifdef MAROBEL_ASSETS_DIR
// The game's canvas composes as it draws, as the whole frame was once made;
// every tick's list, composed apart, must match it pixel for pixel.
TEST(DisplayList, ComposedAgainItIsTheFrameTheTickDrewOnRichGames) {
  for (const GoldenGame& g : kGoldenGames) {
    SCOPED_TRACE(g.name);
    const long long ticks = 300;  // lotteries, prizes and crowded tables by then
    const KeyScriptResult script = ParseKeyScript(RichGameKeys(g.style, g.seed, ticks));
    ASSERT_TRUE(script.ok);
    StartEmptyGame();
    cabinet::Create(g.credits);
    mainCanvas.SetFileDirectory(MAROBEL_ASSETS_DIR);
    mainCanvas.SetComposing(true);
    cabinet::FrameComposer composer;
    composer.SetPictureFolder(MAROBEL_ASSETS_DIR);
    const std::size_t pixels = static_cast<std::size_t>(composer.Width()) * composer.Height();
    std::size_t next = 0;
    int tagged = 0;
    for (long long tick = 1; tick <= ticks; ++tick) {
      for (; next < script.presses.size() && script.presses[next].tick <= tick; ++next)
        cabinet::KeyDown(script.presses[next].virtualKey);
      const cabinet::TickResult result = cabinet::Tick();
      const std::uint32_t* composed = composer.Compose(*result.display);
      ASSERT_EQ(std::memcmp(composed, mainCanvas.Pixels(), pixels * sizeof *composed), 0) << "tick " << tick;
      for (const DrawCall& call : result.display->calls) tagged += call.tag.kind != shows::kNothing;
    }
    mainCanvas.SetComposing(false);
    mainCanvas.SetFileDirectory("");
    EXPECT_GT(tagged, 1000);
  }
}
#endif

// Every sprite says what it shows; coins and bonus markers say which one.
TEST(DisplayList, SpritesAreTaggedWithWhatTheyShow) {
  NullWindow window;
  StartFreshGame(window);
  cabinet::TickResult result = cabinet::Tick();
  int coins = 0, pushers = 0, gates = 0, parts = 0;
  for (const DrawCall& call : result.display->calls) {
    if (call.kind != DrawCallKind::Sprite) continue;
    EXPECT_NE(call.tag.kind, shows::kNothing) << call.image;
    if (call.tag.kind == shows::kLyingCoin) {
      EXPECT_GE(call.tag.slot, 0);
      ++coins;
    }
    pushers += call.tag.kind == shows::kPusher;
    gates += call.tag.kind == shows::kGate;
    parts += call.tag.kind == shows::kCabinetPart;
  }
  EXPECT_EQ(pushers, 1);
  EXPECT_EQ(gates, 1);
  EXPECT_EQ(parts, 3);
  EXPECT_GT(coins, 100);
  // The same coin falling and lying is one thing; another slot is not.
  EXPECT_TRUE(shows::SameThing(shows::Tag(shows::kFallingCoin, 7), shows::Tag(shows::kLyingCoin, 7)));
  EXPECT_FALSE(shows::SameThing(shows::Tag(shows::kFallingCoin, 7), shows::Tag(shows::kLyingCoin, 8)));
  EXPECT_FALSE(shows::SameThing(shows::Tag(shows::kNothing), shows::Tag(shows::kNothing)));
}

}  // namespace
