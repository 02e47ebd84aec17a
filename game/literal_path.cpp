// The contact table and the pusher's pairwise passes exactly as the design
// describes them: a dense table of 5000 x 5000 32-bit codes (only [a][b]
// with a < b used), every one of the 12,497,500 slot pairs visited in each
// pass, and a full scan of the pool for every carry. It exists to measure
// the production path against, and to check it on short runs.
#include <initializer_list>
#include <memory>

#include "game/contacts.h"
#include "game/pusher.h"
#include "game/simulation_path.h"

namespace {

std::unique_ptr<std::int32_t[]> table;  // allocated on first use: 100,000,000 bytes

std::int32_t& Entry(int a, int b) { return table[static_cast<std::size_t>(a) * kCoinSlots + b]; }

void Classify(int a, int b, CoinState state) {
  if (Entry(a, b) != ContactNone) return;
  if (game.coinState[a] != state || game.coinState[b] != state) return;
  const ContactCode code = ClassifyPositions(game.coinX[a], game.coinY[a], game.coinX[b], game.coinY[b]);
  if (code != ContactNone) Entry(a, b) = code;
}

bool Trailing(int k, int p) {
  if (k < p) return Entry(k, p) == ContactBehind;
  if (k > p) return Entry(p, k) == ContactAhead;
  return false;
}

void Refresh(CoinState state) {
  for (int a = 0; a < kCoinSlots - 1; ++a)
    for (int b = a + 1; b < kCoinSlots; ++b) Classify(a, b, state);
}

void ResolvePushesLiterally(CoinState state, bool chanceRules) {
  for (int i = 0; i < kCoinSlots - 1; ++i) {
    for (int j = i + 1; j < kCoinSlots; ++j) {
      if (Entry(i, j) != ContactNone) continue;
      if (game.coinState[i] != state || game.coinState[j] != state) continue;
      const long long dx = static_cast<long long>(game.coinX[i]) - game.coinX[j];
      if (dx < -kPushWindowX || dx > kPushWindowX) continue;
      const int d = PushApart(i, j, chanceRules);
      if (d == 0) continue;
      for (int k = 0; k < kCoinSlots; ++k) {
        if (!chanceRules || k < kNormalSlots) {
          if (game.coinState[k] == state && Trailing(k, i)) game.coinY[k] += d;
        } else {
          const int r = gameRand();
          if (r % kBonusCarryChance == 0 && game.coinState[k] == state && Trailing(k, i)) game.coinY[k] += d / 2;
        }
      }
    }
  }
}

void Load() {
  if (!table) table = std::make_unique<std::int32_t[]>(static_cast<std::size_t>(kCoinSlots) * kCoinSlots);
  for (int a = 0; a < kCoinSlots; ++a)
    for (int b = 0; b < kCoinSlots; ++b) Entry(a, b) = a < b ? game.contactMatrix.Code(a, b) : ContactNone;
}

void Store() {
  game.contactMatrix.ClearAll();
  for (int a = 0; a < kCoinSlots - 1; ++a)
    for (int b = a + 1; b < kCoinSlots; ++b)
      if (Entry(a, b) != ContactNone) game.contactMatrix.Set(a, b, static_cast<ContactCode>(Entry(a, b)));
}

void BuildInitial() {
  for (CoinState state : {CoinState::OnPusher, CoinState::OnField})
    for (int a = 0; a < 199; ++a)
      for (int b = a + 1; b < 200; ++b) Classify(a, b, state);
}

void AddOfCoin(int n) {
  for (int k = 0; k < kCoinSlots; ++k) {
    if (k == n) continue;
    if (k < n)
      Classify(k, n, CoinState::OnField);
    else
      Classify(n, k, CoinState::OnField);
  }
}

void ClearOfCoin(int n) {
  for (int k = 0; k < kCoinSlots; ++k) {
    if (k < n)
      Entry(k, n) = ContactNone;
    else if (k > n)
      Entry(n, k) = ContactNone;
  }
}

}  // namespace

const SimulationPath& LiteralPath() {
  static const OwnContactStore store{Load, Store, BuildInitial, AddOfCoin, ClearOfCoin};
  static const SimulationPath path{Refresh, ResolvePushesLiterally, &store};
  return path;
}
