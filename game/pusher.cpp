#include "game/pusher.h"

#include "game/contacts.h"
#include "game/simulation_path.h"

void ResolvePushes(CoinState state, bool chanceRules) { ActivePath().resolvePushes(state, chanceRules); }

int PushApart(int i, int j, bool chanceRules) {
  const long long dy = static_cast<long long>(game.coinY[i]) - game.coinY[j];
  if (dy >= 0 && dy <= kOverlapWindowY) {  // i level with or ahead of j: i moves on
    const int d = static_cast<int>(kSeparation - dy);
    if (chanceRules && i >= kNormalSlots) {
      if (gameRand() % kBonusMoveChance == 0) game.coinY[i] += d / 2;
    } else {
      game.coinY[i] += d;
    }
    return d;
  }
  if (dy >= -kOverlapWindowY && dy <= -1) {  // j ahead of i: j moves on
    const int d = static_cast<int>(kSeparation + dy);
    game.coinY[j] += d;
    return d;
  }
  return 0;
}

namespace {

void ExtendTick() {
  ++game.pusherStroke;
  const int frontLine = PusherFrontLineY(game.pusherStroke);
  ForEachCoinInPlay([&](int n) {
    if (game.coinState[n] == CoinState::OnField && game.coinY[n] <= frontLine) game.coinY[n] = frontLine;
  });
  ResolvePushes(CoinState::OnField, true);
  ForEachCoinInPlay([](int n) {
    if (game.coinState[n] == CoinState::OnPusher) game.coinY[n] += kRideStep;
  });
  if (game.pusherStroke > 0) game.pusherRetracting = 1;
  RefreshContacts(CoinState::OnPusher);
}

void RetractTick() {
  --game.pusherStroke;
  ForEachCoinInPlay([](int n) {
    if (game.coinState[n] != CoinState::OnPusher) return;
    game.coinY[n] -= kRideStep;
    if (game.coinY[n] <= kLandingLineY) game.coinY[n] = kLandingLineY;  // held by the back wall
  });
  ResolvePushes(CoinState::OnPusher, false);
  RefreshContacts(CoinState::OnField);
  if (game.pusherStroke < -3) game.pusherRetracting = 0;
}

}  // namespace

void PusherStep() {
  if (game.pusherRetracting == 0)
    ExtendTick();
  else
    RetractTick();
}
