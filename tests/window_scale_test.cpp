#include <gtest/gtest.h>

#include <vector>

#include "app/session/shell_options.h"
#include "app/session/window_scale.h"
#include "app/session/window_view.h"

TEST(WindowScale, TheScreenChoosesTheLargestScaleFittingHalfItsHeightButNoLessThanItsPixelRatio) {
  EXPECT_EQ(DefaultWindowScale(768, 1.0), 1);
  EXPECT_EQ(DefaultWindowScale(1080, 1.0), 1);
  EXPECT_EQ(DefaultWindowScale(1800, 1.0), 2) << "900 is exactly half of 1800";
  EXPECT_EQ(DefaultWindowScale(1799, 1.0), 1);
  EXPECT_EQ(DefaultWindowScale(2160, 1.0), 2);
  EXPECT_EQ(DefaultWindowScale(4320, 1.0), 4);
  EXPECT_EQ(DefaultWindowScale(1080, 2.0), 2) << "a display that doubles everything";
  EXPECT_EQ(DefaultWindowScale(1080, 1.5), 1) << "the ratio is rounded down";
  EXPECT_EQ(DefaultWindowScale(1600, 3.75), 3);
  EXPECT_EQ(DefaultWindowScale(0, 0.0), 1) << "no screen known";
  EXPECT_EQ(DefaultWindowScale(100000, 1.0), kMaxWindowScale);
}

TEST(WindowScale, OnlyTheClientAreaGrows) {
  const PixelSize decoration{16, 59};
  EXPECT_EQ(ScaledWindowSize(decoration, 1).width, kWindowWidth);
  EXPECT_EQ(ScaledWindowSize(decoration, 1).height, kWindowHeight);
  const PixelSize three = ScaledWindowSize(decoration, 3);
  EXPECT_EQ(three.width - decoration.width, 3 * kClientAreaWidth);
  EXPECT_EQ(three.height - decoration.height, 3 * kClientAreaHeight);
  EXPECT_EQ(ScaledWindowSize({0, 0}, 3).width, 1200);
}

// A desktop's own scaling makes the menu bar and frame larger; counted as
// they would be at scale 1, they never eat rows of the game at any scale.
TEST(WindowScale, TheGameAreaIsTheScaleOneWindowsTimesTheScaleAndNeverLessThanTheViewsPart) {
  const PixelSize linux{2, 48};
  EXPECT_EQ(ScaledGameArea(linux, 1).height, kWindowHeight - 48);
  EXPECT_EQ(ScaledGameArea(linux, 2).height, 2 * (kWindowHeight - 48));
  EXPECT_EQ(ScaledGameArea(linux, 2).width, 2 * (kWindowWidth - 2));
  const PixelSize large{30, 90};
  EXPECT_EQ(ScaledGameArea(large, 1).width, kClientAreaWidth);
  EXPECT_EQ(ScaledGameArea(large, 2).height, 2 * kClientAreaHeight);

  EXPECT_EQ(ControlsScale(2, 1.0), 2.0) << "a 2x game on a screen Qt does not scale";
  EXPECT_EQ(ControlsScale(2, 2.0), 1.0) << "Qt already doubles them";
  EXPECT_EQ(ControlsScale(3, 1.5), 2.0);
  EXPECT_EQ(ControlsScale(1, 1.5), 1.0) << "never smaller than the desktop asks";
}

TEST(WindowScale, TheFullScreenCentresTheGameAreaInWholeBlocks) {
  const ScreenPlacement uhd = FitFullscreen({3840, 2160});
  EXPECT_EQ(uhd.scale, 5);  // 2160 / 391
  EXPECT_EQ(uhd.width, 5 * kClientAreaWidth);
  EXPECT_EQ(uhd.height, 5 * kClientAreaHeight);
  EXPECT_EQ(uhd.left, (3840 - uhd.width) / 2);
  EXPECT_EQ(uhd.top, (2160 - uhd.height) / 2);

  const ScreenPlacement hd = FitFullscreen({1920, 1080});
  EXPECT_EQ(hd.scale, 2);
  EXPECT_LE(hd.left + hd.width, 1920);
  EXPECT_LE(hd.top + hd.height, 1080);

  const ScreenPlacement tiny = FitFullscreen({320, 240});
  EXPECT_EQ(tiny.scale, 1) << "never below the game's own size";
  EXPECT_EQ(tiny.left, 0);
  EXPECT_EQ(tiny.top, 0);
  EXPECT_EQ(FitFullscreen({30000, 30000}).scale, kMaxWindowScale);
}

TEST(WindowScale, UpscalingCopiesEachPixelIntoAWholeBlockAndOnlyWhereTheCanvasIs) {
  // A 3 by 2 canvas at scale 2, its corner at (1, 1) of the target.
  const std::vector<std::uint32_t> canvas = {1, 2, 3, 4, 5, 6};
  std::vector<std::uint32_t> out(10 * 10, 0xDEAD);
  const PixelRect drawn = UpscaleNearest(canvas.data(), 3, 2, 2, 1, 1, {0, 0, 10, 10}, out.data());
  EXPECT_EQ(drawn.left, 1);
  EXPECT_EQ(drawn.top, 1);
  EXPECT_EQ(drawn.width, 6);
  EXPECT_EQ(drawn.height, 4);
  const std::vector<std::uint32_t> expected = {1, 1, 2, 2, 3, 3, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 4, 4, 5, 5, 6, 6};
  EXPECT_EQ(std::vector<std::uint32_t>(out.begin(), out.begin() + 24), expected);
  EXPECT_EQ(out[24], 0xDEADu) << "nothing written past the drawn part";

  // A target starting inside a block keeps the block's phase.
  const PixelRect part = UpscaleNearest(canvas.data(), 3, 2, 2, 1, 1, {2, 2, 3, 3}, out.data());
  EXPECT_EQ(part.width, 3);
  EXPECT_EQ(part.height, 3);
  EXPECT_EQ(std::vector<std::uint32_t>(out.begin(), out.begin() + 9),
            (std::vector<std::uint32_t>{1, 2, 2, 4, 5, 5, 4, 5, 5}));

  EXPECT_EQ(UpscaleNearest(canvas.data(), 3, 2, 2, 1, 1, {20, 20, 5, 5}, out.data()).width, 0)
      << "a target beyond the canvas";
}

TEST(WindowScale, TheOptionsTakeAScaleFromOneToEightAndTheFullScreen) {
  EXPECT_EQ(ParseShellOptions({}).options.scale, 0);
  EXPECT_FALSE(ParseShellOptions({}).options.fullscreen);
  EXPECT_EQ(ParseShellOptions({"--scale", "3"}).options.scale, 3);
  EXPECT_EQ(ParseShellOptions({"--scale=8"}).options.scale, 8);
  EXPECT_TRUE(ParseShellOptions({"--fullscreen", "--scale", "1"}).options.fullscreen);
  for (const char* bad : {"0", "9", "10", "-1", "2x", "", "1.5"}) {
    const ShellOptionsResult r = ParseShellOptions({"--scale", bad});
    EXPECT_FALSE(r.ok) << bad;
    EXPECT_NE(r.error.find("1 to 8"), std::string::npos) << r.error;
  }
  EXPECT_FALSE(ParseShellOptions({"--scale"}).ok);
  EXPECT_FALSE(ParseShellOptions({"--scale", "2", "--scale", "3"}).ok);
  EXPECT_FALSE(ParseShellOptions({"--fullscreen=yes"}).ok);
}
