#include "game/coin_life.h"

#include "game/contacts.h"
#include "game/play_stats.h"
#include "game/saturating_add.h"
#include "game/state.h"

int FindFreeSlot(int first, int last) {
  for (int i = first; i < last; ++i) {
    if (game.coinState[i] == CoinState::Free) return i;
  }
  return -1;
}

namespace {

void StartFalling(int slot, int x) {
  game.coinX[slot] = x;
  game.coinY[slot] = kDropLineY;
  game.coinVy[slot] = 0;
  game.coinState[slot] = CoinState::Airborne;
}

void BuyCoin(int laneX) {
  if (game.credits <= 0) return;
  --game.credits;  // spent even when the pool is full
  CountPlay(playStats.coinsBought);
  const int slot = FindFreeSlot(0, kNormalSlots);
  if (slot >= 0) StartFalling(slot, laneX);
}

void FlyCoin(int i, const CoinPassHooks& hooks) {
  bool falls = true;
  if (game.coinY[i] <= kScatterLineY) falls = gameRand() % 5 != 0;  // hovers one tick in five
  if (falls) {
    game.coinVy[i] += kFallAcceleration;
    game.coinY[i] += game.coinVy[i];
  }
  if (game.coinY[i] <= kScatterLineY) game.coinX[i] += gameRand() % 21 - 10;
  hooks.AfterFlight(i);
  hooks.DrawCoin(i, game.coinX[i], game.coinY[i], false);  // a captured coin still shows in this frame
  if (game.coinY[i] >= kLandingLineY) game.coinState[i] = CoinState::OnPusher;
}

void AddCredits(int amount) { game.credits = SaturatingAdd(game.credits, amount); }

void PayOut(int i, const CoinPassHooks& hooks) {
  const int before = game.credits;
  if (i < kNormalSlots) {
    AddCredits(kCoinCredits);
    game.coinState[i] = CoinState::PaidOut;
    hooks.PaidOut(i);
    CountPlay(playStats.coinsPaidOut);
    CountPlay(playStats.creditsFromPayouts, game.credits - before);
  } else {
    AddCredits(kBonusCoinCredits);
    game.coinState[i] = CoinState::PaidOut;
    hooks.PaidOut(i);
    CountPlay(playStats.bonusCoinsPaidOut);
    CountPlay(playStats.creditsFromBonusCoins, game.credits - before);
  }
  ClearContactsOfCoin(i);
}

}  // namespace

void InsertCoin(int virtualKey) {
  if (virtualKey == kVirtualKeyRight) BuyCoin(kRightLaneX);
  if (virtualKey == kVirtualKeyLeft) BuyCoin(kLeftLaneX);
}

void ReleasePendingCoin() {
  if (game.pendingCoins <= 0) return;
  --game.pendingCoins;
  const int slot = FindFreeSlot(0, kNormalSlots);
  if (slot < 0) return;  // lost, and nothing drawn for it
  StartFalling(slot, kLeftLaneX + gameRand() % kReleaseBandWidth);
}

namespace {
StepDownIndex stepDownIndex;
}

void CoinPass(const CoinPassHooks& hooks) {
  const int stepDownLine = StepDownLineY(game.pusherStroke);
  stepDownIndex.Reset();
  ForEachCoinInPlay([&](int i) {
    if (game.coinState[i] == CoinState::Airborne) FlyCoin(i, hooks);
    if (game.coinState[i] == CoinState::OnPusher) {
      if (game.coinY[i] >= stepDownLine) {
        game.coinState[i] = CoinState::OnField;
        stepDownIndex.AddContactsOf(i);
      } else {
        hooks.DrawCoin(i, game.coinX[i], game.coinY[i], true);
      }
    }
    if (game.coinState[i] == CoinState::OnField) {
      if (game.coinY[i] > kPayoutLineY)
        PayOut(i, hooks);
      else
        hooks.DrawCoin(i, game.coinX[i], game.coinY[i], true);
    }
    if (game.coinState[i] == CoinState::PaidOut) {
      hooks.DrawCoin(i, game.coinX[i], kPayoutLineY + gameRand() % kTrayBandHeight, false);
      game.coinState[i] = CoinState::Free;
    }
  });
}
