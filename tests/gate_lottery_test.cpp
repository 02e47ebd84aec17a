// The gate's travel, its capture window, the lottery cursor and the board.
#include <gtest/gtest.h>

#include "bonus/gate_lottery.h"
#include "game/coin_life.h"
#include "cabinet/tick.h"
#include "tests/test_support.h"

namespace {

TEST(Gate, TravelsInStepsOfTwelveAndTurnsAt144AndZero) {
  StartEmptyGame();
  const int expected[] = {12,  24,  36, 48, 60, 72, 84, 96, 108, 120, 132, 144, 132,
                          120, 108, 96, 84, 72, 60, 48, 36, 24,  12,  0,   12,  24};
  for (int offset : expected) {
    GateStep();
    EXPECT_EQ(game.gateOffset, offset);
  }
}

TEST(Gate, CapturesOnlyACoinWhollyInsideItsMouthWithinTheBand) {
  struct Case {
    int x, y;
    bool captured;
  } cases[] = {{126, 136, true}, {136, 136, true}, {125, 136, false}, {137, 136, false},
               {130, 126, true}, {130, 164, true}, {130, 125, false}, {130, 165, false}};
  for (const Case& c : cases) {
    StartEmptyGame();
    CallRecorder recorder;
    PlaceCoin(3, CoinState::Airborne, c.x, c.y);
    CaptureAtGate(3);
    EXPECT_EQ(game.coinState[3] == CoinState::Free, c.captured) << c.x << "," << c.y;
    EXPECT_EQ(game.lotterySpinning, c.captured ? 1 : 0);
    EXPECT_EQ(recorder.Sounds(), c.captured ? std::vector<std::string>{"in.wav"} : std::vector<std::string>{});
    EXPECT_EQ(game.coinX[3], c.x);  // a captured slot keeps its place
  }
}

TEST(Gate, CapturedCoinIsDrawnInItsCaptureTickOnlyAndCapturesDuringASpinAddNothing) {
  StartEmptyGame();
  game.lotterySpinning = 1;
  game.lotteryColumn = 5;
  PlaceCoin(0, CoinState::Airborne, 126, 100);
  game.coinVy[0] = 30;  // falls 36 to y 136
  CallRecorder recorder;
  CoinPass(CabinetCoinPassHooks());
  EXPECT_EQ(game.coinState[0], CoinState::Free);
  ASSERT_EQ(recorder.Sprites("coin.bmp").size(), 1u);
  EXPECT_EQ(recorder.Sprites("coin.bmp")[0].y, 136);
  EXPECT_EQ(game.lotterySpinning, 1);
  EXPECT_EQ(game.lotteryColumn, 5);
  recorder.calls.clear();
  CoinPass(CabinetCoinPassHooks());
  EXPECT_TRUE(recorder.Sprites("coin.bmp").empty());
}

// Finds a generator state whose next draw gives r % 20 == 0 (stop) or not.
std::uint32_t SeedWhoseNextDrawStops(bool stop) {
  for (std::uint32_t seed = 1;; ++seed) {
    game.randState = seed;
    if ((gameRand() % 20 == 0) == stop) return seed;
  }
}

TEST(Lottery, CursorRunsRowByRowAndWrapsFromTheLastCell) {
  StartEmptyGame();
  game.lotterySpinning = 1;
  game.lotteryColumn = 7;
  game.lotteryRow = 1;
  game.randState = SeedWhoseNextDrawStops(false);
  LotteryStep();
  EXPECT_EQ(game.lotteryColumn, 0);
  EXPECT_EQ(game.lotteryRow, 2);
  game.lotteryColumn = 7;
  game.randState = SeedWhoseNextDrawStops(true);
  CallRecorder recorder;
  LotteryStep();  // wraps to (0, 0) and stops there: +1
  EXPECT_EQ(game.lotteryColumn, 0);
  EXPECT_EQ(game.lotteryRow, 0);
  EXPECT_EQ(game.lotterySpinning, 0);
  EXPECT_EQ(game.pendingCoins, 1);
  EXPECT_EQ((recorder.Sounds()), (std::vector<std::string>{"s.wav", "stop.wav"}));
}

TEST(Lottery, RestingLotteryDrawsNothingAndKeepsItsCell) {
  StartEmptyGame();
  game.lotteryColumn = 3;
  const std::uint32_t before = game.randState;
  LotteryStep();
  EXPECT_EQ(game.randState, before);
  EXPECT_EQ(game.lotteryColumn, 3);
}

TEST(Lottery, EachKindOfPrizeTakesHoldAsItsCellSays) {
  struct Case {
    int row, column, pending, sweep, magic;
  } cases[] = {{1, 7, 100, 0, 0}, {2, 3, 5, 0, 0}, {0, 4, 0, 1, 0}, {1, 5, 0, 0, 1}, {0, 1, 0, 0, 0}};
  for (const Case& c : cases) {
    StartEmptyGame();
    AwardPrize(c.row, c.column);
    EXPECT_EQ(game.pendingCoins, c.pending) << c.row << "," << c.column;
    EXPECT_EQ(game.sweepRequested, c.sweep) << c.row << "," << c.column;
    EXPECT_EQ(game.magicRequested, c.magic) << c.row << "," << c.column;
  }
}

TEST(Lottery, CursorSquareFollowsItsCellWithTheYellowPen) {
  NullWindow window;
  StartFreshGame(window);
  CallRecorder recorder;
  game.lotteryColumn = 3;
  game.lotteryRow = 1;
  DrawLotteryCursor();
  ASSERT_EQ(recorder.calls.size(), 4u);
  const int lines[4][4] = {{191, 101, 208, 101}, {208, 101, 208, 118}, {208, 118, 191, 118}, {191, 118, 191, 101}};
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(recorder.calls[k].x, lines[k][0]);
    EXPECT_EQ(recorder.calls[k].y, lines[k][1]);
    EXPECT_EQ(recorder.calls[k].w, lines[k][2]);
    EXPECT_EQ(recorder.calls[k].h, lines[k][3]);
  }
}

}  // namespace
