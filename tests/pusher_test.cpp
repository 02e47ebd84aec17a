// The pusher step and the push resolution on hand-made tables.
#include <gtest/gtest.h>

#include "game/contacts.h"
#include "game/pusher.h"
#include "game/simulation_path.h"
#include "tests/test_support.h"

namespace {

class Pusher : public ::testing::TestWithParam<PathKind> {
 protected:
  void SetUp() override {
    UseSimulationPath(PathOf(GetParam()));
    StartEmptyGame();
  }
  void TearDown() override { UseSimulationPath(FastPath()); }
  // Number of draws made since the state `before`.
  static int DrawsSince(std::uint32_t before) {
    int n = 0;
    const std::uint32_t now = game.randState;
    game.randState = before;
    while (game.randState != now && n < 1000000) {
      gameRand();
      ++n;
    }
    game.randState = now;
    return n;
  }
};

TEST_P(Pusher, WorkedExtendTickWithACarry) {
  game.pusherStroke = -1;
  PlaceCoin(5, CoinState::OnField, 100, 260);
  PlaceCoin(7, CoinState::OnField, 100, 275);
  PlaceCoin(9, CoinState::OnField, 103, 240);
  game.contactMatrix.Set(5, 9, ContactAhead);
  const std::uint32_t before = game.randState;
  PusherStep();
  EXPECT_EQ(game.pusherStroke, 0);
  EXPECT_EQ(game.coinY[5], 268);
  EXPECT_EQ(game.coinY[7], 287);
  EXPECT_EQ(game.coinY[9], 274);
  EXPECT_EQ(DrawsSince(before), 200);
}

TEST_P(Pusher, WorkedRetractTickHeldByTheBackWall) {
  game.pusherStroke = 1;
  game.pusherRetracting = 1;
  PlaceCoin(1, CoinState::OnPusher, 120, 180);
  PlaceCoin(2, CoinState::OnPusher, 122, 178);
  PlaceCoin(3, CoinState::OnPusher, 121, 199);
  const std::uint32_t before = game.randState;
  PusherStep();
  EXPECT_EQ(game.pusherStroke, 0);
  EXPECT_EQ(game.coinY[1], 188);
  EXPECT_EQ(game.coinY[2], 175);
  EXPECT_EQ(game.coinY[3], 201);
  EXPECT_EQ(game.randState, before);
}

TEST_P(Pusher, PushWindowAndSeparationEdges) {
  // Each pair far from the others; OnPusher coins, retract pass (no chance rules).
  struct Case {
    int dx, dy;  // coin i minus coin j
    int iMoves, jMoves;
  } cases[] = {{6, 0, 13, 0}, {-6, 0, 13, 0}, {7, 0, 0, 0},   {-7, 0, 0, 0}, {0, 12, 1, 0},
               {0, 13, 0, 0}, {0, -1, 0, 12}, {0, -12, 0, 1}, {0, -13, 0, 0}};
  int slot = 0;
  for (const Case& c : cases) {
    const int x = 500 + 40 * slot;
    PlaceCoin(slot, CoinState::OnPusher, x + c.dx, 300 + c.dy);
    PlaceCoin(slot + 1, CoinState::OnPusher, x, 300);
    slot += 2;
  }
  ResolvePushes(CoinState::OnPusher, false);
  slot = 0;
  for (const Case& c : cases) {
    EXPECT_EQ(game.coinY[slot], 300 + c.dy + c.iMoves) << "dx " << c.dx << " dy " << c.dy;
    EXPECT_EQ(game.coinY[slot + 1], 300 + c.jMoves) << "dx " << c.dx << " dy " << c.dy;
    slot += 2;
  }
}

TEST_P(Pusher, BoundPairsAreNeverPushedApart) {
  PlaceCoin(1, CoinState::OnField, 200, 300);
  PlaceCoin(2, CoinState::OnField, 200, 300);
  game.contactMatrix.Set(1, 2, ContactBehind);
  ResolvePushes(CoinState::OnField, true);
  EXPECT_EQ(game.coinY[1], 300);
  EXPECT_EQ(game.coinY[2], 300);
}

TEST_P(Pusher, CaseFiveCarriesTheCoinsTrailingTheLowerSlot) {
  // j ahead of i: j moves, and k (trailing i) moves too although i stays.
  PlaceCoin(1, CoinState::OnField, 200, 300);
  PlaceCoin(2, CoinState::OnField, 200, 305);
  PlaceCoin(0, CoinState::OnField, 260, 100);
  game.contactMatrix.Set(0, 1, ContactBehind);  // 0 trails 1
  PlaceCoin(3, CoinState::OnPusher, 260, 100);  // trails 1 too, but other level
  game.contactMatrix.Set(1, 3, ContactAhead);
  ResolvePushes(CoinState::OnField, true);
  EXPECT_EQ(game.coinY[1], 300);
  EXPECT_EQ(game.coinY[2], 313);
  EXPECT_EQ(game.coinY[0], 108);
  EXPECT_EQ(game.coinY[3], 100);
}

TEST_P(Pusher, BonusPairDrawsOnceForTheMoveThenAHundredForTheCarry) {
  // Try seeds until both outcomes of the move draw have been seen.
  bool seenMove = false, seenStay = false;
  for (std::uint32_t seed = 1; !(seenMove && seenStay); ++seed) {
    StartEmptyGame();
    PlaceCoin(4900, CoinState::OnField, 200, 290);
    PlaceCoin(4901, CoinState::OnField, 200, 290);
    PlaceCoin(3, CoinState::OnField, 300, 290);
    game.contactMatrix.Set(3, 4900, ContactBehind);  // normal coin 3 trails 4900
    game.randState = seed;
    const bool moves = gameRand() % 10 == 0;
    game.randState = seed;
    ResolvePushes(CoinState::OnField, true);
    EXPECT_EQ(game.coinY[4900], moves ? 296 : 290);  // 13 halved, or nothing
    EXPECT_EQ(game.coinY[4901], 290);
    EXPECT_EQ(game.coinY[3], 303);  // the full 13, whatever the bonus coin did
    EXPECT_EQ(DrawsSince(seed), 101);
    (moves ? seenMove : seenStay) = true;
  }
}

TEST_P(Pusher, BonusCarryMovesATrailingBonusCoinOnlyOnAOneInAThousandDraw) {
  // Coin 4950 trails coin 1; the push of (1, 2) draws 100 carry values, the
  // 51st of which decides 4950's half move.
  int moved = 0, stayed = 0;
  for (std::uint32_t seed = 1; moved == 0 || stayed < 3; ++seed) {
    std::uint32_t probe = seed;
    for (int n = 0; n < 50; ++n) probe = probe * 214013u + 2531011u;
    probe = probe * 214013u + 2531011u;
    const bool expectMove = ((probe >> 16) & 0x7FFF) % 1000 == 0;
    if (!expectMove && stayed >= 3) continue;
    StartEmptyGame();
    PlaceCoin(1, CoinState::OnField, 200, 300);
    PlaceCoin(2, CoinState::OnField, 200, 300);
    PlaceCoin(4950, CoinState::OnField, 600, 300);
    game.contactMatrix.Set(1, 4950, ContactAhead);
    game.randState = seed;
    ResolvePushes(CoinState::OnField, true);
    EXPECT_EQ(game.coinY[4950], expectMove ? 306 : 300) << seed;
    EXPECT_EQ(DrawsSince(seed), 100);
    (expectMove ? moved : stayed) += 1;
  }
}

TEST_P(Pusher, NormalAheadOfBonusAndBonusAheadOfNormalMoveInFull) {
  PlaceCoin(10, CoinState::OnField, 200, 300);  // normal i level with bonus j: i moves 13
  PlaceCoin(4950, CoinState::OnField, 200, 300);
  PlaceCoin(11, CoinState::OnField, 400, 300);  // normal i behind bonus j by 5: j moves 8
  PlaceCoin(4960, CoinState::OnField, 400, 305);
  ResolvePushes(CoinState::OnField, true);
  EXPECT_EQ(game.coinY[10], 313);
  EXPECT_EQ(game.coinY[4950], 300);
  EXPECT_EQ(game.coinY[11], 300);
  EXPECT_EQ(game.coinY[4960], 313);
}

TEST_P(Pusher, FrontPushLiftsFieldCoinsOntoTheFrontLineThenSeparatesThem) {
  game.pusherStroke = -2;                    // extend to -1: front line 260
  PlaceCoin(0, CoinState::OnField, 150, 1);  // a dropped bonus-like coin far behind
  PlaceCoin(1, CoinState::OnField, 150, 250);
  PlaceCoin(2, CoinState::OnPusher, 300, 200);
  PusherStep();
  EXPECT_EQ(game.coinY[0], 273);  // level pair: lower slot 13 ahead
  EXPECT_EQ(game.coinY[1], 260);
  EXPECT_EQ(game.coinY[2], 208);  // rides after the field pass
  // The pusher coin is classified in this extend tick, field coins are not.
  PlaceCoin(3, CoinState::OnPusher, 305, 208);
  game.pusherStroke = -2;
  game.pusherRetracting = 0;
  PusherStep();
  EXPECT_NE(game.contactMatrix.Code(2, 3), ContactNone);
  EXPECT_EQ(game.contactMatrix.Code(0, 1), ContactNone);
}

TEST_P(Pusher, StrokeRunsFourExtendTicksThenTenTickCycles) {
  const int expected[] = {-2, -1, 0, 1, 0, -1, -2, -3, -4, -3, -2, -1, 0, 1, 0, -1, -2, -3, -4, -3};
  for (int s : expected) {
    PusherStep();
    EXPECT_EQ(game.pusherStroke, s);
  }
}

INSTANTIATE_TEST_SUITE_P(BothPaths, Pusher, ::testing::Values(PathKind::Fast, PathKind::Reference),
                         [](const auto& info) { return PathName(info.param); });

}  // namespace
