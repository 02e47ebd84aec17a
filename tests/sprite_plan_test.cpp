// Sprites drawn from their run plans against the rule written out pixel by
// pixel, and a frame composer that composes a region or meets a changed file.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <random>

#include "app/session/key_script.h"
#include "app/session/window_view.h"
#include "cabinet/cabinet.h"
#include "canvas/canvas.h"
#include "canvas/sprite_compositor.h"
#include "canvas/sprite_plan.h"
#include "tests/bmp_test_files.h"
#include "tests/golden_games.h"
#include "tests/test_support.h"

namespace {

constexpr int kW = 24, kH = 20;

// Mostly all-or-nothing pixels, as masks and their images are, with odd bit
// patterns in between so that every run kind turns up.
Picture RandomPicture(std::mt19937& rng, int w, int h) {
  Picture p{w, h, {}};
  for (int i = 0; i < w * h; ++i) {
    const unsigned pick = rng() % 5;
    p.pixels.push_back(pick < 2 ? 0u : pick < 4 ? 0x00FFFFFFu : static_cast<std::uint32_t>(rng()) & 0x00FFFFFFu);
  }
  return p;
}

// The nearest source pixel under each destination pixel's centre, and
// (canvas OR mask) AND image, with a missing mask leaving only the AND and
// a missing image taking the mask as it is.
void Reference(std::vector<std::uint32_t>& px, int x, int y, int w, int h, const Picture* image, const Picture* mask,
               int left, int top, int right, int bottom) {
  for (int dy = 0; dy < h; ++dy) {
    for (int dx = 0; dx < w; ++dx) {
      const int cx = x + dx, cy = y + dy;
      if (cx < std::max(0, left) || cy < std::max(0, top) || cx >= std::min(kW, right) || cy >= std::min(kH, bottom))
        continue;
      auto at = [&](const Picture& p) {
        const int sx = static_cast<int>((2 * dx + 1) * static_cast<long long>(p.width) / (2 * w));
        const int sy = static_cast<int>((2 * dy + 1) * static_cast<long long>(p.height) / (2 * h));
        return p.pixels[static_cast<std::size_t>(sy) * p.width + sx];
      };
      std::uint32_t& d = px[static_cast<std::size_t>(cy) * kW + cx];
      if (image && mask) {
        d = (d | at(*mask)) & at(*image);
      } else if (image) {
        d &= at(*image);
      } else {
        d = at(*mask);
      }
    }
  }
}

TEST(SpritePlan, RunBlitsEqualThePixelRuleForMixedMasksClippedAtEveryEdge) {
  std::mt19937 rng(20261209);
  int covered = 0, mixed = 0, clear = 0;
  for (int round = 0; round < 3000; ++round) {
    SCOPED_TRACE(::testing::Message() << "round " << round);
    const Picture image = RandomPicture(rng, 1 + rng() % 9, 1 + rng() % 9);
    const Picture mask = RandomPicture(rng, 1 + rng() % 9, 1 + rng() % 9);
    const int kind = round % 4;  // both, image alone, mask alone, one picture as both
    const Picture* i = kind == 2 ? nullptr : &image;
    const Picture* m = kind == 1 ? nullptr : kind == 3 ? &image : &mask;
    // At its own size or stretched, anywhere from wholly off the left or top
    // to wholly off the right or bottom.
    const int w = kind == 3 ? image.width : 1 + static_cast<int>(rng() % 14);
    const int h = kind == 3 ? image.height : 1 + static_cast<int>(rng() % 14);
    const int x = -w - 1 + static_cast<int>(rng() % (kW + w + 2));
    const int y = -h - 1 + static_cast<int>(rng() % (kH + h + 2));
    // Every third sprite is drawn inside a clip region of its own.
    Surface surface{nullptr, kW, kH};
    if (round % 3 == 0) {
      surface.clipLeft = static_cast<int>(rng() % kW) - 2;
      surface.clipTop = static_cast<int>(rng() % kH) - 2;
      surface.clipRight = surface.clipLeft + static_cast<int>(rng() % kW);
      surface.clipBottom = surface.clipTop + static_cast<int>(rng() % kH);
    }
    std::vector<std::uint32_t> background(kW * kH);
    for (std::uint32_t& p : background) p = static_cast<std::uint32_t>(rng()) & 0x00FFFFFFu;

    std::vector<std::uint32_t> expected = background, planned = background, general = background;
    Reference(expected, x, y, w, h, i, m, surface.clipLeft, surface.clipTop, surface.clipRight, surface.clipBottom);
    SpritePlan plan;
    ASSERT_TRUE(BuildSpritePlan(i, m, w, h, plan));
    surface.pixels = planned.data();
    BlitSpritePlan(surface, x, y, plan);
    ASSERT_EQ(planned, expected);
    SpriteScratch scratch;
    surface.pixels = general.data();
    CompositeSprite(surface, x, y, w, h, i, m, scratch);
    ASSERT_EQ(general, expected);

    for (const SpritePlan::Run& run : plan.runs) {
      (run.kind == SpritePlan::Kind::Covered ? covered : mixed) += run.length;
      ASSERT_GT(run.length, 0);
    }
    clear += w * h;
  }
  clear -= covered + mixed;
  // The pictures gave every kind of run plenty of pixels.
  EXPECT_GT(covered, 10000);
  EXPECT_GT(mixed, 10000);
  EXPECT_GT(clear, 10000);
}

TEST(SpritePlan, NothingToDrawOrTooBigIsNotPlanned) {
  const Picture p = bmp_test::Solid(2, 2, 0x00123456);
  const Picture empty;
  SpritePlan plan;
  EXPECT_FALSE(BuildSpritePlan(nullptr, nullptr, 4, 4, plan));
  EXPECT_FALSE(BuildSpritePlan(&empty, &empty, 4, 4, plan));
  EXPECT_FALSE(BuildSpritePlan(&p, &p, 0, 4, plan));
  EXPECT_FALSE(BuildSpritePlan(&p, &p, 1 << 11, 1 << 10, plan));  // drawn by the general compositor
  EXPECT_TRUE(BuildSpritePlan(&empty, &p, 1 << 10, 1 << 10, plan));
  EXPECT_EQ(plan.runs.size(), std::size_t{1} << 10);  // one covered run a row
}

// A list that draws one picture as its own mask twice, over a cleared canvas.
DisplayList TwoSprites() {
  DisplayList list;
  list.calls.emplace_back().kind = DrawCallKind::ClearBlack;
  for (int x : {0, 10}) {
    DrawCall& call = list.calls.emplace_back();
    call.kind = DrawCallKind::Sprite;
    call.x = x;
    call.w = call.h = 4;
    call.image = call.mask = "p.bmp";
  }
  return list;
}

TEST(FrameComposer, AFileChangedOnDiskShowsInTheNextPictureAndIsDecodedOncePerVersion) {
  const bmp_test::TempDir dir;
  const std::string path = dir.Write("p.bmp", bmp_test::EncodeBmp(bmp_test::Solid(2, 2, 0x00111111)));
  cabinet::FrameComposer composer(20, 10);
  composer.SetPictureFolder(dir.Path());
  const DisplayList list = TwoSprites();
  for (int frame = 0; frame < 3; ++frame) composer.Compose(list);
  EXPECT_EQ(composer.Pixels()[11], 0x00111111u);
  EXPECT_EQ(composer.PictureDecodeCount(), 1u);

  // Rewritten with the old size and a later time, then at another size.
  const auto stamp = std::filesystem::last_write_time(path);
  dir.Write("p.bmp", bmp_test::EncodeBmp(bmp_test::Solid(2, 2, 0x00222222)));
  std::filesystem::last_write_time(path, stamp + std::chrono::seconds(1));
  composer.Compose(list);
  EXPECT_EQ(composer.Pixels()[1], 0x00222222u);
  EXPECT_EQ(composer.Pixels()[11], 0x00222222u);
  dir.Write("p.bmp", bmp_test::EncodeBmp(bmp_test::Solid(3, 1, 0x00333333)));
  composer.Compose(list);
  EXPECT_EQ(composer.Pixels()[20 * 3 + 13], 0x00333333u);
  EXPECT_EQ(composer.PictureDecodeCount(), 3u);

  dir.Remove("p.bmp");
  composer.Compose(list);
  EXPECT_EQ(composer.Pixels()[11], 0u);
}

// A run of sprites reuses one plan only while the files and size stay the same.
TEST(FrameComposer, SpritesInARowThatShareAFileOrASizeEachDrawTheirOwn) {
  const bmp_test::TempDir dir;
  dir.Write("a.bmp", bmp_test::EncodeBmp(bmp_test::Solid(2, 2, 0x00AA0000)));
  dir.Write("b.bmp", bmp_test::EncodeBmp(bmp_test::Solid(2, 2, 0x0000BB00)));
  dir.Write("m.bmp", bmp_test::EncodeBmp(bmp_test::Solid(2, 2, 0x00FFFFFF)));
  dir.Write("n.bmp", bmp_test::EncodeBmp(bmp_test::Solid(2, 2, 0x00000000)));
  struct Sprite {
    const char *image, *mask;
    int w;
    std::uint32_t expect;
  };
  // Over white: a white mask shows the image, and so does a black one (the
  // white below ANDed with the image); a missing image leaves the mask.
  const Sprite sprites[] = {{"a.bmp", "m.bmp", 2, 0x00AA0000},
                            {"b.bmp", "m.bmp", 2, 0x0000BB00},
                            {"b.bmp", "n.bmp", 2, 0x0000BB00},
                            {"a.bmp", "n.bmp", 2, 0x00AA0000},
                            {"a.bmp", "n.bmp", 3, 0x00AA0000},
                            {"a.bmp", "", 3, 0x00AA0000},
                            {"", "n.bmp", 3, 0}};
  DisplayList list;
  list.calls.emplace_back().kind = DrawCallKind::ClearWhite;
  int x = 0;
  for (const Sprite& s : sprites) {
    DrawCall& call = list.calls.emplace_back();
    call.kind = DrawCallKind::Sprite;
    call.x = x;
    x += 4;
    call.w = s.w;
    call.h = 2;
    call.image = s.image;
    call.mask = s.mask;
  }
  cabinet::FrameComposer composer(x, 2);
  composer.SetPictureFolder(dir.Path());
  const std::uint32_t* px = composer.Compose(list);
  for (std::size_t k = 0; k < std::size(sprites); ++k) {
    EXPECT_EQ(px[4 * k], sprites[k].expect) << "sprite " << k;
    EXPECT_EQ(px[4 * k + 3], 0x00FFFFFFu) << "right of sprite " << k;
  }
}

// Big sprites that cover what came before them, over clears, texts, lines
// and smaller sprites, in and out of a region: a composer that knows the
// whole list ahead draws the picture the calls make one by one.
TEST(FrameComposer, WhatLaterSpritesCoverComesOutAsDrawnCallByCall) {
  const bmp_test::TempDir dir;
  std::mt19937 rng(7);
  // Wholly covered, covered inside a clear border, and a mixed mask.
  auto picture = [&](int w, int h, int kind) {
    Picture p = RandomPicture(rng, w, h);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const bool inner = x > 5 && y > 3 && x < w - 7 && y < h - 2;
        if (kind == 0 || (kind == 1 && inner)) p.pixels[y * w + x] = 0x00FFFFFF;
        if (kind == 1 && !inner) p.pixels[y * w + x] = 0;
      }
    return p;
  };
  dir.Write("a.bmp", bmp_test::EncodeBmp(RandomPicture(rng, 70, 80)));
  dir.Write("am.bmp", bmp_test::EncodeBmp(picture(70, 80, 0)));
  dir.Write("b.bmp", bmp_test::EncodeBmp(RandomPicture(rng, 90, 60)));
  dir.Write("bm.bmp", bmp_test::EncodeBmp(picture(90, 60, 1)));
  dir.Write("c.bmp", bmp_test::EncodeBmp(RandomPicture(rng, 64, 64)));
  dir.Write("cm.bmp", bmp_test::EncodeBmp(picture(64, 64, 2)));
  for (int round = 0; round < 20; ++round) {
    SCOPED_TRACE(::testing::Message() << "round " << round);
    DisplayList list;
    list.calls.emplace_back().kind = round % 2 ? DrawCallKind::ClearBlack : DrawCallKind::ClearWhite;
    const char* names[][2] = {{"a.bmp", "am.bmp"}, {"b.bmp", "bm.bmp"}, {"c.bmp", "cm.bmp"}, {"b.bmp", ""}};
    for (int k = 0; k < 14; ++k) {
      DrawCall& call = list.calls.emplace_back();
      const int what = static_cast<int>(rng() % 6);
      call.x = static_cast<int>(rng() % 200) - 40;
      call.y = static_cast<int>(rng() % 150) - 40;
      if (what == 4) {
        call.kind = DrawCallKind::Line;
        call.w = call.x + 50, call.h = call.y + 30, call.size = 3, call.red = 200;
      } else if (what == 5) {
        call.kind = DrawCallKind::ClearWhite;
      } else {
        call.kind = DrawCallKind::Sprite;
        call.image = names[what][0];
        call.mask = names[what][1];
        // Stretched as the pusher is, or small enough to cover nothing ahead.
        call.w = k % 5 == 4 ? 12 : 60 + static_cast<int>(rng() % 40);
        call.h = k % 5 == 4 ? 9 : 60 + static_cast<int>(rng() % 30);
      }
    }
    Canvas byCall;
    byCall.Attach(nullptr, 160, 120);
    byCall.SetFileDirectory(dir.Path());
    ComposeDisplayList(list, byCall);  // outside a frame: nothing is known ahead
    cabinet::FrameComposer composer(160, 120);
    composer.SetPictureFolder(dir.Path());
    if (round % 4 == 3) composer.SetRegion(20, 10, 100, 90);
    const std::uint32_t* px = composer.Compose(list);
    for (int y = 0; y < 120; ++y)
      for (int x = 0; x < 160; ++x) {
        const bool inside = round % 4 != 3 || (x >= 20 && x < 120 && y >= 10 && y < 100);
        if (inside) ASSERT_EQ(px[y * 160 + x], byCall.PixelAt(x, y)) << x << "," << y;
      }
  }
}

#ifdef MAROBEL_ASSETS_DIR
// Composed over a region, every frame of a rich game is the whole picture
// inside it and leaves the rest alone: the window's part, and a rectangle
// that cuts through the cabinet, its coins, texts and cursor.
TEST(FrameComposer, ARegionHoldsThePixelsOfTheWholePictureAndNothingElseChanges) {
  const GoldenGame& g = kGoldenGames[2];
  const KeyScriptResult script = ParseKeyScript(RichGameKeys(g.style, g.seed, 600));
  ASSERT_TRUE(script.ok);
  StartEmptyGame();
  cabinet::Create(g.credits);
  struct Region {
    int x, y, w, h;
  };
  const Region regions[] = {{0, 0, kClientAreaWidth, kClientAreaHeight}, {17, 55, 181, 263}};
  cabinet::FrameComposer whole;
  whole.SetPictureFolder(MAROBEL_ASSETS_DIR);
  std::vector<std::unique_ptr<cabinet::FrameComposer>> parts;
  for (const Region& r : regions) {
    parts.push_back(std::make_unique<cabinet::FrameComposer>());
    parts.back()->SetPictureFolder(MAROBEL_ASSETS_DIR);
    parts.back()->SetRegion(r.x, r.y, r.w, r.h);
  }
  const int width = whole.Width();
  std::size_t next = 0;
  for (long long tick = 1; tick <= 600; ++tick) {
    for (; next < script.presses.size() && script.presses[next].tick <= tick; ++next)
      cabinet::KeyDown(script.presses[next].virtualKey);
    const DisplayList& list = *cabinet::Tick().display;
    const std::uint32_t* full = whole.Compose(list);
    for (std::size_t k = 0; k < parts.size(); ++k) {
      const Region& r = regions[k];
      const std::uint32_t* part = parts[k]->Compose(list);
      for (int y = 0; y < whole.Height(); ++y) {
        const bool rowInside = y >= r.y && y < r.y + r.h;
        for (int x = 0; x < width; x += rowInside ? 1 : 7) {
          const bool inside = rowInside && x >= r.x && x < r.x + r.w;
          // Outside, the canvas is as it was made: black.
          ASSERT_EQ(part[y * width + x], inside ? full[y * width + x] : 0u)
              << "tick " << tick << " region " << k << " at " << x << "," << y;
        }
      }
    }
  }
}
#endif

}  // namespace
