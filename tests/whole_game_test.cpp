// Whole games from the creation reset: the numbers every faithful
// implementation must reproduce draw for draw.
#include <gtest/gtest.h>

#include "game/coin_life.h"
#include "game/simulation_path.h"
#include "cabinet/tick.h"
#include "tests/test_support.h"

namespace {

class WholeGame : public ::testing::TestWithParam<PathKind> {
 protected:
  void SetUp() override {
    StartFreshGame(window);
    UseSimulationPath(PathOf(GetParam()));
  }
  void TearDown() override { UseSimulationPath(FastPath()); }
  void Tick() { GameTick(); }
  NullWindow window;
};

TEST(GameRand, FirstValuesOfTheFixedSequence) {
  ResetProgramState();
  EXPECT_EQ(gameRand(), 41);
  EXPECT_EQ(gameRand(), 18467);
  EXPECT_EQ(gameRand(), 6334);
  EXPECT_EQ(gameRand(), 26500);
  EXPECT_EQ(gameRand(), 19169);
}

TEST(GameRand, SkippingAheadEqualsDrawingOneByOne) {
  for (std::uint32_t n : {0u, 1u, 2u, 3u, 99u, 100u, 101u, 4096u, 123457u}) {
    ResetProgramState();
    game.randState = 0xDEADBEEF;
    for (std::uint32_t k = 0; k < n; ++k) gameRand();
    const std::uint32_t expected = game.randState;
    game.randState = 0xDEADBEEF;
    SkipRandomDraws(n);
    EXPECT_EQ(game.randState, expected) << n;
  }
}

TEST_P(WholeGame, ResetSeedsTheTableAndLeavesTheClockToTheFrontEnd) {
  EXPECT_EQ(window.timerId, 0);
  EXPECT_EQ(game.coinState[0], CoinState::OnPusher);
  EXPECT_EQ(game.coinX[0], 161);
  EXPECT_EQ(game.coinY[0], 261);
  EXPECT_EQ(game.coinX[1], 214);
  EXPECT_EQ(game.coinY[1], 244);
  EXPECT_EQ(game.coinX[70], 273);
  EXPECT_EQ(game.coinY[70], 222);
  EXPECT_EQ(CountInState(CoinState::OnPusher), 170);
  EXPECT_EQ(game.credits, 0);
  EXPECT_EQ(mainCanvas.Width(), 1200);
  EXPECT_EQ(mainCanvas.Height(), 800);
  EXPECT_EQ((game.lotteryBox.left), 140);
  EXPECT_EQ((game.lotteryBox.top), 84);
  EXPECT_EQ((game.lotteryBox.right), 157);
  EXPECT_EQ((game.lotteryBox.bottom), 101);
  // The reset drew exactly 340 values: the next is the 341st.
  std::uint32_t state = 1;
  for (int n = 0; n < 340; ++n) state = state * 214013u + 2531011u;
  EXPECT_EQ(game.randState, state);
}

TEST_P(WholeGame, PaysTwentyFourCreditsThenSettlesIntoATenTickCycle) {
  Tick();
  EXPECT_EQ(CountInState(CoinState::OnPusher), 57);
  EXPECT_EQ(CountInState(CoinState::OnField), 113);
  EXPECT_EQ(game.credits, 0);
  Tick();
  EXPECT_EQ(game.credits, 0);
  Tick();
  EXPECT_EQ(game.credits, 14);
  Tick();
  EXPECT_EQ(game.credits, 24);
  const std::uint32_t randAfter4 = game.randState;
  for (int t = 5; t < 10; ++t) Tick();
  Tick();  // tick 10
  std::vector<int> ys(game.coinY, game.coinY + kCoinSlots);
  std::vector<CoinState> states(game.coinState, game.coinState + kCoinSlots);
  for (int t = 11; t <= 20; ++t) Tick();
  EXPECT_EQ(std::vector<int>(game.coinY, game.coinY + kCoinSlots), ys);
  EXPECT_EQ(std::vector<CoinState>(game.coinState, game.coinState + kCoinSlots), states);
  for (int t = 21; t <= 60; ++t) Tick();
  EXPECT_EQ(game.credits, 24);
  EXPECT_EQ(game.randState, randAfter4);
}

TEST_P(WholeGame, OneRightPressBeforeTickFiveWinsTwoCoins) {
  for (int t = 1; t <= 4; ++t) Tick();
  InsertCoin(0x27);
  EXPECT_EQ(game.credits, 23);
  ASSERT_EQ(game.coinState[0], CoinState::Airborne);
  const int expected[][2] = {{247, 16}, {248, 28}, {247, 46}, {246, 70}, {246, 100}};
  for (const auto& place : expected) {
    Tick();
    EXPECT_EQ(game.coinX[0], place[0]);
    EXPECT_EQ(game.coinY[0], place[1]);
  }
  Tick();  // tick 10: the gate at 120 swallows it at (246, 136)
  EXPECT_EQ(game.gateOffset, 120);
  EXPECT_EQ(game.coinX[0], 246);
  EXPECT_EQ(game.coinY[0], 136);
  EXPECT_EQ(game.coinState[0], CoinState::Free);
  EXPECT_EQ(game.lotterySpinning, 1);
  Tick();
  EXPECT_EQ(game.lotterySpinning, 1);
  EXPECT_EQ(game.lotteryColumn, 1);
  Tick();  // tick 12: stop on row 0 column 2
  EXPECT_EQ(game.lotterySpinning, 0);
  EXPECT_EQ(game.lotteryRow, 0);
  EXPECT_EQ(game.lotteryColumn, 2);
  EXPECT_EQ(game.pendingCoins, 2);
  Tick();
  EXPECT_EQ(game.coinState[0], CoinState::Airborne);
  EXPECT_EQ(game.pendingCoins, 1);
  Tick();
  EXPECT_EQ(game.coinState[2], CoinState::Airborne);
  EXPECT_EQ(game.pendingCoins, 0);
}

INSTANTIATE_TEST_SUITE_P(AllPaths, WholeGame, ::testing::Values(PathKind::Fast, PathKind::Reference, PathKind::Literal),
                         [](const auto& info) { return PathName(info.param); });

}  // namespace
