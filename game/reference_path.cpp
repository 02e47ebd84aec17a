// The pair-by-pair reading of the contact refresh and the push resolution:
// every pair of in-state slots in (i, j) order, every carry a full scan of
// the pool, on the production contact storage. Skipping slots not in the
// pass's state changes nothing but the time taken; this is what the long
// comparisons with the fast path use.
#include "game/contacts.h"
#include "game/pusher.h"
#include "game/simulation_path.h"

namespace {

void ReferenceRefresh(CoinState state) {
  for (int a = 0; a < kCoinSlots - 1; ++a) {
    if (game.coinState[a] != state) continue;
    for (int b = a + 1; b < kCoinSlots; ++b) ClassifyPair(a, b, state);
  }
}

void Carry(int i, int d, CoinState state, bool chanceRules) {
  for (int k = 0; k < kCoinSlots; ++k) {
    if (!chanceRules || k < kNormalSlots) {
      if (game.coinState[k] == state && IsTrailing(k, i)) game.coinY[k] += d;
    } else {
      const int r = gameRand();
      if (r % kBonusCarryChance == 0 && game.coinState[k] == state && IsTrailing(k, i)) game.coinY[k] += d / 2;
    }
  }
}

void ReferenceResolvePushes(CoinState state, bool chanceRules) {
  for (int i = 0; i < kCoinSlots - 1; ++i) {
    if (game.coinState[i] != state) continue;
    for (int j = i + 1; j < kCoinSlots; ++j) {
      if (game.contactMatrix.Code(i, j) != ContactNone) continue;
      if (game.coinState[i] != state || game.coinState[j] != state) continue;
      const long long dx = static_cast<long long>(game.coinX[i]) - game.coinX[j];
      if (dx < -kPushWindowX || dx > kPushWindowX) continue;
      const int d = PushApart(i, j, chanceRules);
      if (d == 0) continue;
      Carry(i, d, state, chanceRules);
    }
  }
}

}  // namespace

const SimulationPath& ReferencePath() {
  static const SimulationPath path{ReferenceRefresh, ReferenceResolvePushes};
  return path;
}
