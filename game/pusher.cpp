#include "game/pusher.h"

#include "game/contacts.h"
#include "game/simulation_path.h"

void ResolvePushes(CoinState state, bool chanceRules) { ActivePath().resolvePushes(state, chanceRules); }

namespace {

void ExtendTick() {
  ++game.pusherStroke;
  const int frontLine = PusherFrontLineY(game.pusherStroke);
  for (int n = 0; n < kCoinSlots; ++n) {
    if (game.coinState[n] == CoinState::OnField && game.coinY[n] <= frontLine) game.coinY[n] = frontLine;
  }
  ResolvePushes(CoinState::OnField, true);
  for (int n = 0; n < kCoinSlots; ++n) {
    if (game.coinState[n] == CoinState::OnPusher) game.coinY[n] += kRideStep;
  }
  if (game.pusherStroke > 0) game.pusherRetracting = 1;
  RefreshContacts(CoinState::OnPusher);
}

void RetractTick() {
  --game.pusherStroke;
  for (int n = 0; n < kCoinSlots; ++n) {
    if (game.coinState[n] != CoinState::OnPusher) continue;
    game.coinY[n] -= kRideStep;
    if (game.coinY[n] <= kLandingLineY) game.coinY[n] = kLandingLineY;  // held by the back wall
  }
  ResolvePushes(CoinState::OnPusher, false);
  RefreshContacts(CoinState::OnField);
  if (game.pusherStroke < -3) game.pusherRetracting = 0;
}

}  // namespace

void PusherStep() {
  if (game.pusherRetracting == 0) ExtendTick();
  else RetractTick();
}
