// Coins from the key press to the tray.
#include <gtest/gtest.h>

#include "game/coin_life.h"
#include "cabinet/tick.h"
#include "tests/test_support.h"

namespace {

TEST(InsertCoin, SpendsACreditPerArrowIntoTheLowestFreeSlot) {
  StartEmptyGame();
  InsertCoin(0x27);  // no credits: nothing
  EXPECT_EQ(CountInState(CoinState::Airborne), 0);

  for (int i = 0; i < 170; ++i) PlaceCoin(i, CoinState::OnPusher, 150, 200);
  game.coinState[12] = CoinState::Free;
  game.credits = 2;
  InsertCoin(0x27);
  EXPECT_EQ(game.coinState[12], CoinState::Airborne);
  EXPECT_EQ(game.coinX[12], 238);
  EXPECT_EQ(game.coinY[12], 10);
  EXPECT_EQ(game.coinVy[12], 0);
  EXPECT_EQ(game.credits, 1);
  InsertCoin(0x25);
  EXPECT_EQ(game.coinState[170], CoinState::Airborne);
  EXPECT_EQ(game.coinX[170], 160);
  EXPECT_EQ(game.credits, 0);

  game.credits = 5;
  for (int key : {0x26, 0x28, 0x20, 0x0D, 0x41}) InsertCoin(key);
  EXPECT_EQ(game.credits, 5);
  const std::uint32_t before = game.randState;
  for (int k = 0; k < 3; ++k) InsertCoin(0x25);
  EXPECT_EQ(game.credits, 2);
  for (int s : {171, 172, 173}) {
    EXPECT_EQ(game.coinState[s], CoinState::Airborne);
    EXPECT_EQ(game.coinX[s], 160);
  }
  EXPECT_EQ(game.randState, before);
}

TEST(InsertCoin, FullPoolStillTakesTheCreditAndTheReleaseLosesItsCoin) {
  StartEmptyGame();
  for (int i = 0; i < kNormalSlots; ++i) PlaceCoin(i, CoinState::OnField, 150, 300);
  game.credits = 3;
  InsertCoin(0x27);
  EXPECT_EQ(game.credits, 2);
  EXPECT_EQ(CountInState(CoinState::Airborne), 0);
  game.pendingCoins = 5;
  const std::uint32_t before = game.randState;
  ReleasePendingCoin();
  EXPECT_EQ(game.pendingCoins, 4);
  EXPECT_EQ(CountInState(CoinState::Airborne), 0);
  EXPECT_EQ(game.randState, before);
}

TEST(CoinPass, AFlightWithoutHoversFallsSevenTimesAndLandsDrawnTwice) {
  StartEmptyGame();
  PlaceCoin(0, CoinState::Airborne, 200, 10);
  const int expectedY[] = {16, 28, 46, 70, 100, 136, 178};
  for (int fall = 0; fall < 7; ++fall) {
    // Steer the hover draw so the coin never hovers.
    for (std::uint32_t seed = game.randState;; ++seed) {
      game.randState = seed;
      if (gameRand() % 5 != 0) {
        game.randState = seed;
        break;
      }
    }
    game.gateOffset = 144;  // mouth far from x 190..210
    game.coinX[0] = 200;
    CallRecorder recorder;
    CoinPass(CabinetCoinPassHooks());
    EXPECT_EQ(game.coinY[0], expectedY[fall]);
    EXPECT_EQ(game.coinVy[0], 6 * (fall + 1));
    if (fall < 6) {
      EXPECT_EQ(game.coinState[0], CoinState::Airborne);
    } else {
      EXPECT_EQ(game.coinState[0], CoinState::OnPusher);
      ASSERT_EQ(recorder.calls.size(), 2u);
      EXPECT_EQ(recorder.calls[0].name, "coin.bmp");
      EXPECT_EQ(recorder.calls[1].name, "coin2.bmp");
      EXPECT_EQ(recorder.calls[1].y, 178);
    }
  }
}

TEST(CoinPass, StepsDownAtTheLineAndPaysBeyondThePayoutLine) {
  StartEmptyGame();
  game.pusherStroke = 0;  // step-down line 253
  PlaceCoin(1, CoinState::OnPusher, 150, 253);
  PlaceCoin(2, CoinState::OnPusher, 180, 252);
  PlaceCoin(3, CoinState::OnField, 210, 343);
  PlaceCoin(4, CoinState::OnField, 240, 344);
  PlaceCoin(4950, CoinState::OnField, 270, 400);
  CallRecorder recorder;
  CoinPass(CabinetCoinPassHooks());
  EXPECT_EQ(game.coinState[1], CoinState::OnField);
  EXPECT_EQ(game.coinState[2], CoinState::OnPusher);
  EXPECT_EQ(game.coinState[3], CoinState::OnField);
  EXPECT_EQ(game.coinState[4], CoinState::Free);
  EXPECT_EQ(game.coinState[4950], CoinState::Free);
  EXPECT_EQ(game.credits, 51);
  EXPECT_EQ(recorder.Sounds(), (std::vector<std::string>{"coin.wav", "coin2.wav"}));
  const auto tray = recorder.Sprites("coin.bmp");
  ASSERT_EQ(tray.size(), 2u);
  for (const auto& c : tray) {
    EXPECT_GE(c.y, 343);
    EXPECT_LE(c.y, 382);
  }
  EXPECT_EQ(tray[0].x, 240);
}

TEST(CoinPass, CreditsStopAtTheLargestCountInsteadOfWrapping) {
  StartEmptyGame();
  game.credits = 2147483647 - 30;
  PlaceCoin(4900, CoinState::OnField, 200, 400);
  PlaceCoin(1, CoinState::OnField, 220, 400);
  CallRecorder recorder;
  CoinPass(CabinetCoinPassHooks());
  EXPECT_EQ(game.credits, 2147483647);
}

TEST(CoinPass, NeverTurnsAFieldCoinBackIntoATableCoin) {
  StartEmptyGame();
  PlaceCoin(7, CoinState::OnField, 150, 180);
  CallRecorder recorder;
  CoinPass(CabinetCoinPassHooks());
  EXPECT_EQ(game.coinState[7], CoinState::OnField);
}

// What the pass hands its hooks, and the game as each call found it.
struct HookCall {
  std::string what;  // "after", "draw", "lying", "paid"
  int slot_or_x;
  CoinState state;  // of the slot, for "after" and "paid"
  int credits;
  bool operator==(const HookCall&) const = default;
};

class RecordingHooks : public CoinPassHooks {
 public:
  void AfterFlight(int slot) const override {
    calls.push_back({"after", slot, game.coinState[slot], game.credits});
    if (takeAtFlight == slot) game.coinState[slot] = CoinState::Free;
  }
  void DrawCoin(int, int x, int, bool lying) const override {
    calls.push_back({lying ? "lying" : "draw", x, CoinState::Free, game.credits});
  }
  void PaidOut(int slot) const override { calls.push_back({"paid", slot, game.coinState[slot], game.credits}); }
  int takeAtFlight = -1;
  mutable std::vector<HookCall> calls;
};

TEST(CoinPass, CallsItsHooksSlotBySlotWhereEachEventHappens) {
  StartEmptyGame();
  game.pusherStroke = 0;
  PlaceCoin(0, CoinState::Airborne, 200, 100);  // between scatter and landing line: falls, no drift
  PlaceCoin(1, CoinState::Airborne, 120, 100);
  PlaceCoin(2, CoinState::OnPusher, 150, 230);
  PlaceCoin(4, CoinState::OnField, 240, 344);
  PlaceCoin(4950, CoinState::OnField, 270, 400);
  RecordingHooks hooks;
  hooks.takeAtFlight = 1;  // as the gate would: out of play, yet drawn in this frame
  CoinPass(hooks);
  const std::vector<HookCall> expected = {
      {"after", 0, CoinState::Airborne, 0}, {"draw", 200, CoinState::Free, 0},
      {"after", 1, CoinState::Airborne, 0}, {"draw", 120, CoinState::Free, 0},
      {"lying", 150, CoinState::Free, 0},   {"paid", 4, CoinState::PaidOut, 1},
      {"draw", 240, CoinState::Free, 1},    {"paid", 4950, CoinState::PaidOut, 51},
      {"draw", 270, CoinState::Free, 51},
  };
  EXPECT_EQ(hooks.calls, expected);
  EXPECT_EQ(game.coinState[1], CoinState::Free);
  EXPECT_EQ(game.coinState[4], CoinState::Free);
}

}  // namespace
