// A tick's display list is its frame: composed again on a canvas of its
// own, it gives exactly the pixels of the canvas the tick drew on.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "app/session/key_script.h"
#include "cabinet/cabinet.h"
#include "canvas/canvas.h"
#include "canvas/display_list_change.h"
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

// Each frame composed over the last one, only where the two lists differ,
// is the frame composed whole: coins that come and go, texts that change,
// the pusher and the prizes.
TEST(DisplayList, ComposedOverTheLastFrameItIsTheWholeFrameOnRichGames) {
  for (const GoldenGame& g : kGoldenGames) {
    SCOPED_TRACE(g.name);
    const long long ticks = 300;
    const KeyScriptResult script = ParseKeyScript(RichGameKeys(g.style, g.seed, ticks));
    ASSERT_TRUE(script.ok);
    StartEmptyGame();
    cabinet::Create(g.credits);
    cabinet::FrameComposer over, whole;
    over.SetPictureFolder(MAROBEL_ASSETS_DIR);
    whole.SetPictureFolder(MAROBEL_ASSETS_DIR);
    const std::size_t pixels = static_cast<std::size_t>(whole.Width()) * whole.Height();
    DisplayList last;
    over.Compose(last);
    std::size_t next = 0, composedOver = 0;
    for (long long tick = 1; tick <= ticks; ++tick) {
      for (; next < script.presses.size() && script.presses[next].tick <= tick; ++next)
        cabinet::KeyDown(script.presses[next].virtualKey);
      const DisplayList& list = *cabinet::Tick().display;
      const CanvasBox area = over.ComposeOver(last, list);
      composedOver +=
          static_cast<std::size_t>(area.right - area.left) * static_cast<std::size_t>(area.bottom - area.top);
      ASSERT_EQ(std::memcmp(over.Pixels(), whole.Compose(list), pixels * sizeof(std::uint32_t)), 0) << "tick " << tick;
      last = list;
    }
    // Far less than every frame whole.
    EXPECT_LT(composedOver, pixels * ticks / 2);
  }
}
#endif

// The part that can differ: every call either list has alone, and a moved
// sprite where it was and where it is, in a few boxes.
TEST(DisplayList, WhereTwoListsDiffer) {
  Canvas canvas;
  auto sprite = [](int slot, int x, int y) { return SpriteCall(shows::kLyingCoin, slot, x, y); };
  auto covers = [](const std::vector<CanvasBox>& boxes, const CanvasBox& box) {
    return std::any_of(boxes.begin(), boxes.end(), [&](const CanvasBox& b) { return box.Within(b) == box; });
  };
  DisplayList before, after;
  before.calls = {DrawCall{}, sprite(1, 0, 0), sprite(2, 100, 100), sprite(3, 300, 300)};
  after = before;
  EXPECT_TRUE(WhereListsDiffer(before, after, canvas).empty());
  after.calls[2].y = 130;
  after.calls.insert(after.calls.begin() + 3, sprite(4, 200, 50));  // a coin that came
  after.calls[4].w = 0;                                             // one shrank to nothing: where it was
  std::vector<CanvasBox> boxes = WhereListsDiffer(before, after, canvas);
  EXPECT_EQ(boxes.size(), 4u);
  for (const CanvasBox& box : {CanvasBox{100, 100, 120, 110}, CanvasBox{100, 130, 120, 140},
                               CanvasBox{200, 50, 220, 60}, CanvasBox{300, 300, 320, 310}})
    EXPECT_TRUE(covers(boxes, box));
  for (int n = 0; n < 6; ++n) after.calls.push_back(sprite(10 + n, 500 + 60 * n, 600));  // more things apart
  boxes = WhereListsDiffer(before, after, canvas);
  EXPECT_EQ(boxes.size(), kMostChangedBoxes);
  for (int n = 0; n < 6; ++n) EXPECT_TRUE(covers(boxes, {500 + 60 * n, 600, 520 + 60 * n, 610}));
  after.calls.erase(after.calls.begin());  // no clear: all of it
  boxes = WhereListsDiffer(before, after, canvas);
  EXPECT_TRUE(covers(boxes, {0, 0, 1200, 800}));
}

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
