// The magic and sweeper countdowns, frame by frame.
#include <gtest/gtest.h>

#include "bonus/prize_effects.h"
#include "cabinet/tick.h"
#include "tests/test_support.h"

namespace {

TEST(Sweeper, CrossesInTwentyThreeTicksAndClearsOnlyInTheMiddleTwelve) {
  StartEmptyGame();
  for (int i = 0; i < 300; ++i) PlaceCoin(i, CoinState::OnField, 150, 300);
  PlaceCoin(300, CoinState::OnPusher, 150, 200);
  PlaceCoin(301, CoinState::Airborne, 150, 50);
  game.sweepRequested = 1;
  std::vector<int> xs, clean1Ticks, soundTicks, clearingTicks;
  for (int tick = 0; tick < 25; ++tick) {
    CallRecorder recorder;
    const std::uint32_t before = game.randState;
    const int fieldBefore = CountInState(CoinState::OnField);
    SweeperStep();
    for (const auto& c : recorder.calls) {
      if (c.kind != "sprite") continue;
      xs.push_back(c.x);
      EXPECT_EQ(c.y, 240);
      EXPECT_EQ(c.w, 46);
      EXPECT_EQ(c.h, 84);
      if (c.name == "clean.bmp") clean1Ticks.push_back(tick);
    }
    if (!recorder.Sounds().empty()) soundTicks.push_back(tick);
    if (game.randState != before) {
      clearingTicks.push_back(tick);
      // One draw per playfield coin, in this tick.
      std::uint32_t s = before;
      for (int n = 0; n < fieldBefore; ++n) s = s * 214013u + 2531011u;
      EXPECT_EQ(game.randState, s);
    }
  }
  std::vector<int> expectedX;
  for (int x = 10; x <= 450; x += 20) expectedX.push_back(x);
  EXPECT_EQ(xs, expectedX);
  EXPECT_EQ(clean1Ticks, (std::vector<int>{0, 2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 22}));
  EXPECT_EQ(soundTicks.size(), 18u);
  EXPECT_EQ(clearingTicks, (std::vector<int>{5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}));
  EXPECT_LT(CountInState(CoinState::OnField), 300);
  EXPECT_EQ(game.coinState[300], CoinState::OnPusher);
  EXPECT_EQ(game.coinState[301], CoinState::Airborne);
  EXPECT_EQ(game.sweepTimer, 0);
}

TEST(Magic, ShowsTenFramesThenDropsABonusCoinOnRowOne) {
  StartEmptyGame();
  game.coinState[4900] = CoinState::OnField;  // taken: the next free bonus slot is used
  game.magicRequested = 1;
  int frames = 0;
  for (int tick = 0; tick < 12; ++tick) {
    CallRecorder recorder;
    const std::uint32_t before = game.randState;
    MagicStep();
    const auto sprites = recorder.Sprites("magic.bmp");
    frames += static_cast<int>(sprites.size());
    if (!sprites.empty()) {
      EXPECT_EQ(sprites[0].x, 190);
      EXPECT_EQ(sprites[0].y, 240);
    }
    const bool last = tick == 9;
    EXPECT_EQ(!recorder.Sounds().empty(), last) << tick;
    EXPECT_EQ(game.randState != before, last) << tick;
  }
  EXPECT_EQ(frames, 10);
  EXPECT_EQ(game.coinState[4901], CoinState::OnField);
  EXPECT_EQ(game.coinY[4901], 1);
  EXPECT_GE(game.coinX[4901], 107);
  EXPECT_LE(game.coinX[4901], 286);
}

TEST(Magic, ASecondPrizeRestartsTheCountdownAndAFullBonusRangeGetsNoCoin) {
  StartEmptyGame();
  game.magicRequested = 1;
  for (int t = 0; t < 5; ++t) MagicStep();
  game.magicRequested = 1;
  for (int t = 0; t < 9; ++t) MagicStep();
  EXPECT_EQ(CountInState(CoinState::OnField), 0);
  MagicStep();
  EXPECT_EQ(CountInState(CoinState::OnField), 1);

  StartEmptyGame();
  for (int i = 4900; i < 5000; ++i) PlaceCoin(i, CoinState::OnField, 150, 300);
  game.magicRequested = 1;
  const std::uint32_t before = game.randState;
  CallRecorder recorder;
  for (int t = 0; t < 10; ++t) MagicStep();
  EXPECT_EQ(recorder.Sounds(), std::vector<std::string>{"magic.wav"});
  EXPECT_EQ(game.randState, before);
}

}  // namespace
