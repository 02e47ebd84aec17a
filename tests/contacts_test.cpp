// The contact table: when pairs get a code, that codes stick, and when they
// are reset.
#include <gtest/gtest.h>

#include "game/coin_life.h"
#include "game/contacts.h"
#include "game/simulation_path.h"
#include "cabinet/tick.h"
#include "bonus/prize_effects.h"
#include "tests/test_support.h"

namespace {

ContactCode Code(int a, int b) { return game.contactMatrix.Code(a, b); }

class Contacts : public ::testing::TestWithParam<PathKind> {
 protected:
  void SetUp() override {
    UseSimulationPath(PathOf(GetParam()));
    StartEmptyGame();
  }
  void TearDown() override { UseSimulationPath(FastPath()); }
};

TEST_P(Contacts, ClassifiesWithinTwelvePixelsOnBothAxes) {
  // Pairs (a, a+1) at growing distances; the refresh classifies them all at once.
  struct Case {
    int dx, dy;
    ContactCode expected;
  } cases[] = {{12, -12, ContactBehind}, {-12, 12, ContactAhead}, {13, 0, ContactNone},
               {0, 13, ContactNone},     {-13, 0, ContactNone},   {0, -13, ContactNone},
               {0, 0, ContactAhead},     {5, -1, ContactBehind},  {-12, -12, ContactBehind}};
  int slot = 0;
  for (const Case& c : cases) {
    const int x = 1000 * (slot + 1);  // far from every other pair
    PlaceCoin(slot, CoinState::OnPusher, x + c.dx, 300 + c.dy);
    PlaceCoin(slot + 1, CoinState::OnPusher, x, 300);
    slot += 2;
  }
  RefreshContacts(CoinState::OnPusher);
  slot = 0;
  for (const Case& c : cases) {
    EXPECT_EQ(Code(slot, slot + 1), c.expected) << "dx " << c.dx << " dy " << c.dy;
    slot += 2;
  }
}

TEST_P(Contacts, RefreshPairsOnlyCoinsOfItsStateAndKeepsSetCodes) {
  PlaceCoin(3, CoinState::OnField, 100, 300);
  PlaceCoin(4, CoinState::OnPusher, 100, 300);  // other level: never paired
  PlaceCoin(5, CoinState::OnField, 100, 305);
  RefreshContacts(CoinState::OnField);
  EXPECT_EQ(Code(3, 5), ContactBehind);
  EXPECT_EQ(Code(3, 4), ContactNone);
  EXPECT_EQ(Code(4, 5), ContactNone);
  // Coin 3 is pushed 20 ahead of coin 5: the code and the trailing relation stay.
  game.coinY[3] = 325;
  RefreshContacts(CoinState::OnField);
  EXPECT_EQ(Code(3, 5), ContactBehind);
  EXPECT_TRUE(IsTrailing(3, 5));
  EXPECT_FALSE(IsTrailing(5, 3));
  // Both later ride the other level: the old code still holds.
  game.coinState[3] = game.coinState[5] = CoinState::OnPusher;
  RefreshContacts(CoinState::OnPusher);
  EXPECT_EQ(Code(3, 5), ContactBehind);
}

TEST_P(Contacts, LevelPairMakesTheHigherSlotTrailTheLowerWhicheverBuildSetsIt) {
  PlaceCoin(10, CoinState::OnField, 200, 250);
  PlaceCoin(11, CoinState::OnField, 205, 250);
  RefreshContacts(CoinState::OnField);
  EXPECT_EQ(Code(10, 11), ContactAhead);
  EXPECT_TRUE(IsTrailing(11, 10));

  // The same through a step-down, with the new coin on either side.
  PlaceCoin(20, CoinState::OnField, 400, 250);  // lower-numbered partner
  PlaceCoin(30, CoinState::OnField, 400, 250);  // the coin that steps down
  PlaceCoin(40, CoinState::OnField, 400, 250);  // higher-numbered partner
  AddContactsOfCoin(30);
  EXPECT_EQ(Code(20, 30), ContactAhead);
  EXPECT_EQ(Code(30, 40), ContactAhead);
  EXPECT_EQ(Code(20, 40), ContactNone);  // not the stepping coin's pair
}

INSTANTIATE_TEST_SUITE_P(BothPaths, Contacts, ::testing::Values(PathKind::Fast, PathKind::Reference),
                         [](const auto& info) { return PathName(info.param); });

TEST(ContactTable, PayoutClearsEveryPairOfTheCoinWhateverThePartnersState) {
  StartEmptyGame();
  ContactTable& t = game.contactMatrix;
  t.Set(5, 64, ContactBehind);
  t.Set(64, 4999, ContactAhead);
  t.Set(0, 64, ContactAhead);
  t.Set(5, 6, ContactAhead);  // unrelated pair survives
  PlaceCoin(64, CoinState::OnField, 200, kPayoutLineY + 1);
  PlaceCoin(5, CoinState::OnPusher, 200, 200);
  CallRecorder recorder;
  CoinPass(CabinetCoinPassHooks());
  EXPECT_EQ(game.coinState[64], CoinState::Free);
  EXPECT_EQ(t.Code(5, 64), ContactNone);
  EXPECT_EQ(t.Code(64, 4999), ContactNone);
  EXPECT_EQ(t.Code(0, 64), ContactNone);
  EXPECT_EQ(t.Code(5, 6), ContactAhead);
}

TEST(ContactTable, InitialBuildCoversOnlyTheSeededRangeAndNeverOverwrites) {
  StartEmptyGame();
  PlaceCoin(0, CoinState::OnPusher, 150, 200);
  PlaceCoin(199, CoinState::OnPusher, 150, 205);
  PlaceCoin(200, CoinState::OnPusher, 150, 200);
  game.contactMatrix.Set(0, 1, ContactBehind);
  PlaceCoin(1, CoinState::OnPusher, 150, 180);  // now ahead of 0 by position, but the code is set
  BuildInitialContacts();
  EXPECT_EQ(Code(0, 199), ContactBehind);
  EXPECT_EQ(Code(0, 200), ContactNone);
  EXPECT_EQ(Code(199, 200), ContactNone);
  EXPECT_EQ(Code(0, 1), ContactBehind);
}

TEST(ContactTable, SlotsLeavingThroughGateOrSweeperStartWithoutOldBindings) {
  // A slot freed by the gate or the sweeper must not pass its pairs on to the
  // next coin that takes the slot.
  NullWindow window;
  StartEmptyGame();
  game.contactMatrix.Set(0, 7, ContactAhead);
  game.contactMatrix.Set(7, 9, ContactBehind);
  PlaceCoin(7, CoinState::Airborne, 126, 126 - 36);  // falls 6 to y 126 in the gate band
  game.coinVy[7] = 30;
  game.coinY[7] = 126 - 36;
  game.gateOffset = 0;
  CallRecorder recorder;
  CoinPass(CabinetCoinPassHooks());
  ASSERT_EQ(game.coinState[7], CoinState::Free);
  EXPECT_EQ(Code(0, 7), ContactNone);
  EXPECT_EQ(Code(7, 9), ContactNone);

  // Sweeper: every OnField coin is at risk; run the clearing window to the end.
  StartEmptyGame();
  for (int i = 0; i < 40; ++i) PlaceCoin(i, CoinState::OnField, 100 + i, 300);
  for (int i = 0; i < 39; ++i) game.contactMatrix.Set(i, i + 1, ContactAhead);
  game.sweepRequested = 1;
  for (int t = 0; t < 23; ++t) SweeperStep();
  int swept = 0;
  for (int i = 0; i < 40; ++i) {
    if (game.coinState[i] != CoinState::Free) continue;
    ++swept;
    if (i > 0) {
      EXPECT_EQ(Code(i - 1, i), ContactNone) << i;
    }
    if (i < 39) {
      EXPECT_EQ(Code(i, i + 1), ContactNone) << i;
    }
  }
  EXPECT_GT(swept, 0);
}

}  // namespace
