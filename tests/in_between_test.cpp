// Pictures between ticks: things moved part of the way, worked out from a
// look-ahead that must be the next tick exactly and must leave the game be.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "app/session/key_script.h"
#include "app/session/window_view.h"
#include "cabinet/cabinet.h"
#include "render/sprite_tags.h"
#include "tests/golden_games.h"
#include "tests/test_support.h"

namespace {

// Which things count as the same, how far they go, and which are left where
// the later tick has them.
TEST(InBetween, MovesWhatBothTicksShowAndNothingElse) {
  DisplayList before, after, out;
  before.calls = {SpriteCall(shows::kCabinetPart, -1, 0, 0),  SpriteCall(shows::kFallingCoin, 3, 100, 100),
                  SpriteCall(shows::kLyingCoin, 4, 100, 100), SpriteCall(shows::kPusher, -1, 50, 60, 100, 40),
                  SpriteCall(shows::kBonusMarker, 3, 10, 10), SpriteCall(shows::kCabinetPart, -1, 5, 5)};
  DrawCall text;
  text.kind = DrawCallKind::Text;
  text.text = "7";
  after.calls = {SpriteCall(shows::kCabinetPart, -1, 0, 0),       SpriteCall(shows::kLyingCoin, 3, 110, 121),
                 SpriteCall(shows::kLyingCoin, 4, 100, 149),  // its slot taken by a new coin
                 SpriteCall(shows::kLyingCoin, 5, 300, 300),  // new
                 SpriteCall(shows::kPusher, -1, 46, 68, 108, 56), SpriteCall(shows::kBonusMarker, 4, 10, 30),
                 SpriteCall(shows::kCabinetPart, -1, 900, 5),     text};
  cabinet::ListInBetween(before, after, 0.5, out);
  ASSERT_EQ(out.calls.size(), after.calls.size());
  auto place = [&](std::size_t i) {
    return std::array{out.calls[i].x, out.calls[i].y, out.calls[i].w, out.calls[i].h};
  };
  EXPECT_EQ(place(1), (std::array{105, 111, 20, 10}));  // falling, then lying: one coin; 10.5 rounds away
  EXPECT_EQ(out.calls[1].image, "lying");
  EXPECT_EQ(place(2), (std::array{100, 149, 20, 10}));
  EXPECT_EQ(place(3), (std::array{300, 300, 20, 10}));
  EXPECT_EQ(place(4), (std::array{48, 64, 104, 48}));
  EXPECT_EQ(place(5), (std::array{10, 30, 20, 10}));  // a marker of another slot
  EXPECT_EQ(place(6), (std::array{900, 5, 20, 10}));  // parts never move, even if unlike
  EXPECT_EQ(out.calls[7], text);
  cabinet::ListInBetween(before, after, 0, out);
  EXPECT_EQ(place(1), (std::array{100, 100, 20, 10}));
  cabinet::ListInBetween(before, after, 1, out);
  EXPECT_EQ(out, after);
}

// Every tick of rich games: the look-ahead, worked out with the tick's
// presses (and once more with a press that never comes), is the tick's
// list; the game goes on as one that never looked ahead.
TEST(InBetween, LookAheadIsTheNextTickAndLeavesTheGameAsItWas) {
  for (const GoldenGame& g : kGoldenGames) {
    SCOPED_TRACE(g.name);
    const long long ticks = 300;
    const KeyScriptResult script = ParseKeyScript(RichGameKeys(g.style, g.seed, ticks));
    ASSERT_TRUE(script.ok);
    std::vector<std::string> runs[2];
    for (int ahead = 0; ahead < 2; ++ahead) {
      CallRecorder heard;
      StartEmptyGame();
      cabinet::Create(g.credits);
      std::size_t next = 0;
      for (long long tick = 1; tick <= ticks; ++tick) {
        std::vector<int> keys;
        for (; next < script.presses.size() && script.presses[next].tick <= tick; ++next)
          keys.push_back(script.presses[next].virtualKey);
        // Half the presses reach the game before the look-ahead.
        const std::size_t early = keys.size() / 2;
        for (std::size_t k = 0; k < early; ++k) cabinet::KeyDown(keys[k]);
        const std::vector<int> late(keys.begin() + static_cast<std::ptrdiff_t>(early), keys.end());
        DisplayList expected;
        if (ahead) {
          std::vector<int> more = late;
          more.push_back(cabinet::LaneKey(cabinet::Lane::Left));
          const std::vector<std::uint8_t> before = SaveSnapshot();
          cabinet::LookAhead(more);
          expected = cabinet::LookAhead(late);
          ASSERT_EQ(SaveSnapshot(), before) << "tick " << tick;
        }
        for (int key : late) cabinet::KeyDown(key);
        const cabinet::TickResult result = cabinet::Tick();
        if (ahead) {
          ASSERT_EQ(*result.display, expected) << "tick " << tick;
        }
        std::string line = std::to_string(cabinet::RandomState()) + " " + std::to_string(cabinet::Credits());
        for (std::string_view sound : *result.sounds) line += " " + std::string(sound);
        runs[ahead].push_back(line);
      }
      runs[ahead].push_back(std::to_string(heard.Sounds().size()) + " heard");
    }
    EXPECT_EQ(runs[0], runs[1]);
  }
}

#ifdef MAROBEL_ASSETS_DIR
// A session of golden game `g`'s credits, drawing with the generated pictures.
void StartGoldenSession(GameSession& session, NullWindow& window, const GoldenGame& g) {
  ShellOptions options;
  options.credits = g.credits;
  ASSERT_NO_FATAL_FAILURE(StartGameSession(session, options, window));
  session.SetAssetFolder(MAROBEL_ASSETS_DIR);
}

// A session smoothing a rich game with presses made between pictures: its
// trace and sounds are those of the same presses without smoothing, each
// next tick is the picture at fraction 1, a press mid-way never sends a
// thing back, and what does not move is never touched in between.
TEST(InBetween, SmoothSessionTracesAsAPlainOneAndNeverJumpsBack) {
  const GoldenGame& g = kGoldenGames[2];
  const KeyScriptResult script = ParseKeyScript(RichGameKeys(g.style, g.seed, 200));
  ASSERT_TRUE(script.ok);
  std::vector<std::string> traces[2];
  for (int smooth = 0; smooth < 2; ++smooth) {
    GameSession session;
    NullWindow window;
    ASSERT_NO_FATAL_FAILURE(StartGoldenSession(session, window, g));
    session.SetSmoothMotion(smooth == 1);
    session.KeepTraceLine(false);
    std::size_t next = 0;
    int checkedPixels = 0;
    for (long long tick = 1; tick <= 200; ++tick) {
      if (smooth) {
        const DisplayList early = session.ListBetween(0.3);
        for (; next < script.presses.size() && script.presses[next].tick <= tick; ++next)
          session.PlayerKeyDown(script.presses[next].virtualKey);
        const DisplayList later = session.ListBetween(0.6);
        const DisplayList target = session.ListBetween(1);
        for (std::size_t i = 0; i < later.calls.size(); ++i) {
          const DrawCall& now = later.calls[i];
          const auto was = std::find_if(early.calls.begin(), early.calls.end(), [&](const DrawCall& c) {
            return c.kind == DrawCallKind::Sprite && shows::SameThing(c.tag, now.tag);
          });
          if (was == early.calls.end() || now.tag.kind == shows::kCabinetPart) continue;
          const DrawCall& end = target.calls[i];
          EXPECT_TRUE(std::min(was->x, end.x) <= now.x && now.x <= std::max(was->x, end.x) &&
                      std::min(was->y, end.y) <= now.y && now.y <= std::max(was->y, end.y))
              << "tick " << tick << " slot " << now.tag.slot;
        }
        if (tick % 50 == 0) {
          // Pixels away from every sprite that moves and every text or line.
          const GameSession::FrameView shown = session.Frame();
          const std::vector<std::uint32_t> before(shown.pixels, shown.pixels + shown.width * shown.height);
          const GameSession::FrameView mid = session.PictureBetween(0.5);
          std::vector<bool> moving(before.size());
          const DisplayList midList = session.ListBetween(0.5);
          for (const DisplayList* list : {&session.TickDisplayList(), &target, &midList})
            for (const DrawCall& c : list->calls) {
              int x0 = c.x, y0 = c.y, x1 = c.x + c.w, y1 = c.y + c.h;  // a sprite
              if (c.kind == DrawCallKind::Text) x0 -= 10, y0 -= 10, x1 = c.x + 400, y1 = c.y + 4 * c.size;
              if (c.kind == DrawCallKind::Line)
                x0 = std::min(c.x, c.w) - 10, y0 = std::min(c.y, c.h) - 10, x1 = std::max(c.x, c.w) + 10,
                y1 = std::max(c.y, c.h) + 10;
              if (c.kind == DrawCallKind::ClearBlack || c.kind == DrawCallKind::ClearWhite ||
                  (c.kind == DrawCallKind::Sprite && c.tag.kind == shows::kCabinetPart))
                continue;
              for (int y = std::max(0, y0); y < std::min(shown.height, y1); ++y)
                for (int x = std::max(0, x0); x < std::min(shown.width, x1); ++x) moving[y * shown.width + x] = true;
            }
          for (std::size_t p = 0; p < before.size(); ++p) {
            if (moving[p]) continue;
            ++checkedPixels;
            ASSERT_EQ(mid.pixels[p], before[p]) << "tick " << tick << " pixel " << p;
          }
        }
      } else {
        for (; next < script.presses.size() && script.presses[next].tick <= tick; ++next)
          session.PlayerKeyDown(script.presses[next].virtualKey);
      }
      const DisplayList ahead = smooth ? session.ListBetween(1) : DisplayList{};
      session.Tick(&window);
      if (smooth) {
        ASSERT_EQ(session.TickDisplayList(), ahead) << "tick " << tick;
      }
      std::string line = session.TraceLine();
      traces[smooth].push_back(line);
    }
    if (smooth) {
      EXPECT_GT(checkedPixels, 100000);
    }
  }
  EXPECT_EQ(traces[0], traces[1]);
}

// A window copies only the part of each picture between ticks that its
// session says changed: over a rich game with presses between pictures,
// what it then holds is the picture composed whole, every time.
TEST(InBetween, PicturesComposedInPartAreWholePictures) {
  const GoldenGame& g = kGoldenGames[1];
  const KeyScriptResult script = ParseKeyScript(RichGameKeys(g.style, g.seed, 120));
  ASSERT_TRUE(script.ok);
  GameSession session;
  NullWindow window;
  ASSERT_NO_FATAL_FAILURE(StartGoldenSession(session, window, g));
  session.SetSmoothMotion(true);
  cabinet::FrameComposer whole;
  whole.SetPictureFolder(MAROBEL_ASSETS_DIR);
  whole.SetRegion(0, 0, kClientAreaWidth, kClientAreaHeight);
  std::vector<std::uint32_t> held(static_cast<std::size_t>(kClientAreaWidth) * kClientAreaHeight);
  std::uint64_t heldNumber = 0;
  long long partial = 0, copied = 0;
  auto show = [&](const GameSession::FrameView& picture) {
    const bool follows = picture.number == heldNumber + 1;
    for (int y = 0; y < kClientAreaHeight; ++y)
      for (int x = 0; x < kClientAreaWidth; ++x)
        if (!follows || (x >= picture.changedLeft && x < picture.changedRight && y >= picture.changedTop &&
                         y < picture.changedBottom))
          held[static_cast<std::size_t>(y) * kClientAreaWidth + x] = picture.pixels[y * picture.width + x];
    heldNumber = picture.number;
    return follows ? std::max(0, std::min(picture.changedRight, kClientAreaWidth) - picture.changedLeft) *
                         std::max(0, std::min(picture.changedBottom, kClientAreaHeight) - picture.changedTop)
                   : kClientAreaWidth * kClientAreaHeight;
  };
  std::size_t next = 0;
  for (long long tick = 1; tick <= 120; ++tick) {
    show(session.PictureToShow(0));
    const std::uint32_t* frame = whole.Compose(session.TickDisplayList());
    for (int y = 0; y < kClientAreaHeight; ++y)
      for (int x = 0; x < kClientAreaWidth; ++x)
        ASSERT_EQ(held[static_cast<std::size_t>(y) * kClientAreaWidth + x], frame[y * whole.Width() + x])
            << "tick " << tick << " at (" << x << ", " << y << ")";
    for (double fraction : {0.2, 0.45, 0.7, 0.95}) {
      if (fraction > 0.5)
        for (; next < script.presses.size() && script.presses[next].tick <= tick; ++next)
          session.PlayerKeyDown(script.presses[next].virtualKey);
      const int area = show(session.PictureToShow(fraction));
      partial += area < kClientAreaWidth * kClientAreaHeight;
      copied += area;
      const std::uint32_t* expected = whole.Compose(session.ListBetween(fraction));
      for (int y = 0; y < kClientAreaHeight; ++y)
        for (int x = 0; x < kClientAreaWidth; ++x)
          ASSERT_EQ(held[static_cast<std::size_t>(y) * kClientAreaWidth + x], expected[y * whole.Width() + x])
              << "tick " << tick << " fraction " << fraction << " at (" << x << ", " << y << ")";
    }
    session.Tick(&window);
  }
  // Most pictures between ticks are copied in part, and far less than whole.
  std::printf("%lld of %d pictures between ticks copied in part; %.1f%% of their pixels copied\n", partial, 120 * 4,
              100.0 * copied / (120.0 * 4 * kClientAreaWidth * kClientAreaHeight));
  EXPECT_GT(partial, 120 * 3);
  EXPECT_LT(copied, 120 * 4 * kClientAreaWidth * kClientAreaHeight / 2);
}
#endif

}  // namespace
