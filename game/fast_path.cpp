// The production path of the two pairwise passes. It visits only coins of
// the state concerned and, for each, only the coins near it, yet handles the
// qualifying pairs in exactly the (i, j) order of the rules, applies every
// move at once and makes every random draw (or skips ahead by exactly as
// many draws where none of them can matter).
//
// What makes that possible: during one pass no coin changes its x, its
// state or a contact code. So the pairs a pass can push (same state, x
// within 6, no contact) and the coins that trail each coin are fixed before
// it starts; only the y of the moment decides whether a pair pushes.
#include <algorithm>
#include <bit>
#include <cstdint>
#include <iterator>
#include <vector>

#include "game/contacts.h"
#include "game/pusher.h"
#include "game/simulation_path.h"
#include "game/x_order.h"

namespace {

// Coins of one state, in slot order and in x order.
struct StateMembers {
  int count = 0;
  int bySlot[kCoinSlots];
  std::uint64_t byX[kCoinSlots];  // (biased x) << 32 | slot
  std::uint64_t bits[ContactTable::kWords];
  // The words of `bits` that hold a member, ascending: coins in play
  // usually fill a few words of the pool, and the carry looks only there.
  int wordCount = 0;
  int words[ContactTable::kWords];

  void Collect(CoinState state) {
    count = 0;
    std::fill(std::begin(bits), std::end(bits), 0);
    ForEachCoinInPlay([&](int i) {
      if (game.coinState[i] != state) return;
      byX[count] = XOrderKey(game.coinX[i], i);
      bySlot[count++] = i;
      bits[i >> 6] |= std::uint64_t{1} << (i & 63);
    });
    SortXOrderKeys(byX, count);
    wordCount = 0;
    for (int w = 0; w < ContactTable::kWords; ++w)
      if (bits[w]) words[wordCount++] = w;
  }
};

StateMembers members;

void FastRefresh(CoinState state) {
  members.Collect(state);
  ContactTable& table = game.contactMatrix;
  for (int p = 0; p < members.count; ++p) {
    const int a = SlotOfKey(members.byX[p]);
    const long long ax = game.coinX[a];
    for (int q = p + 1; q < members.count; ++q) {
      const int b = SlotOfKey(members.byX[q]);
      if (static_cast<long long>(game.coinX[b]) - ax > 12) break;
      const long long dy = static_cast<long long>(game.coinY[a]) - game.coinY[b];
      if (dy < -12 || dy > 12) continue;  // cheapest test first
      if (!table.Unbound(a, b)) continue;
      const int lo = std::min(a, b), hi = std::max(a, b);
      const ContactCode code = ClassifyPositions(game.coinX[lo], game.coinY[lo], game.coinX[hi], game.coinY[hi]);
      if (code != ContactNone) table.Set(lo, hi, code);
    }
  }
}

// The pairs a pass may push, packed as (i << 16) | j with i < j; once built,
// pairsScratch holds them in ascending (i, j) order. The worst case, every
// pair of the pool, would be 100 MB; static arrays of that size cost nothing
// untouched on Linux but are committed memory on Windows and in a browser's
// WebAssembly memory, so both buffers grow with the most crowded pass so far
// and are kept, and a steady game allocates nothing per tick.
std::vector<std::uint32_t> pairs;
std::vector<std::uint32_t> pairsScratch;
std::size_t pairCount = 0;

void AddCandidate(std::uint32_t packedPair) {
  if (pairCount == pairsScratch.size()) pairsScratch.resize(std::max<std::size_t>(4096, 2 * pairsScratch.size()));
  pairsScratch[pairCount++] = packedPair;
}
int pairsFrom[kCoinSlots + 1];  // pairs of coin i: [pairsFrom[i], pairsFrom[i + 1])
int slotCount[kCoinSlots + 1];

// Stable counting sort of `count` packed pairs by the 16-bit field at
// `shift`, whose values are all below `slots` (one past the highest member).
void SortPairsBy(const std::uint32_t* in, std::uint32_t* out, std::size_t count, int shift, int slots) {
  std::fill(slotCount, slotCount + slots + 1, 0);
  for (std::size_t n = 0; n < count; ++n) ++slotCount[((in[n] >> shift) & 0xFFFFu) + 1];
  for (int k = 0; k < slots; ++k) slotCount[k + 1] += slotCount[k];
  for (std::size_t n = 0; n < count; ++n) out[slotCount[(in[n] >> shift) & 0xFFFFu]++] = in[n];
}

void BuildCandidates() {
  const ContactTable& table = game.contactMatrix;
  // Each unordered pair within the push window is met once, in x order...
  pairCount = 0;
  for (int p = 0; p < members.count; ++p) {
    const int a = SlotOfKey(members.byX[p]);
    const long long ax = game.coinX[a];
    for (int q = p + 1; q < members.count; ++q) {
      const int b = SlotOfKey(members.byX[q]);
      if (game.coinX[b] - ax > kPushWindowX) break;
      if (!table.Unbound(a, b)) continue;
      const int lo = std::min(a, b), hi = std::max(a, b);
      AddCandidate(static_cast<std::uint32_t>(lo) << 16 | static_cast<std::uint32_t>(hi));
    }
  }
  // ...then put into (i, j) order: by j, then stably by i.
  // Slots above the highest member take no part, so the counts stop there.
  const int slots = members.count ? members.bySlot[members.count - 1] + 1 : 0;
  if (pairs.size() < pairsScratch.size()) pairs.resize(pairsScratch.size());
  SortPairsBy(pairsScratch.data(), pairs.data(), pairCount, 0, slots);
  SortPairsBy(pairs.data(), pairsScratch.data(), pairCount, 16, slots);
  pairsFrom[0] = 0;
  std::copy(slotCount, slotCount + slots, pairsFrom + 1);
}

// The coins trailing one coin within the pass's state, split at the bonus range.
struct TrailingCoins {
  int normalCount = 0;
  int bonusCount = 0;
  int normal[kCoinSlots];
  int bonus[kCoinSlots - kNormalSlots];

  void Collect(int p) {
    normalCount = bonusCount = 0;
    const std::uint64_t* trail = game.contactMatrix.TrailingBits(p);
    for (int n = 0; n < members.wordCount; ++n) {
      const int w = members.words[n];
      std::uint64_t bitsLeft = trail[w] & members.bits[w];
      while (bitsLeft) {
        const int k = w * 64 + std::countr_zero(bitsLeft);
        bitsLeft &= bitsLeft - 1;
        if (k < kNormalSlots)
          normal[normalCount++] = k;
        else
          bonus[bonusCount++] = k;
      }
    }
  }
};

TrailingCoins trailing;

void Carry(int d, bool chanceRules) {
  for (int t = 0; t < trailing.normalCount; ++t) game.coinY[trailing.normal[t]] += d;
  if (!chanceRules) {
    for (int t = 0; t < trailing.bonusCount; ++t) game.coinY[trailing.bonus[t]] += d;
    return;
  }
  // One draw for every bonus slot; only those of trailing coins can matter.
  int next = kNormalSlots;
  for (int t = 0; t < trailing.bonusCount; ++t) {
    const int k = trailing.bonus[t];
    SkipRandomDraws(static_cast<std::uint32_t>(k - next));
    if (gameRand() % kBonusCarryChance == 0) game.coinY[k] += d / 2;
    next = k + 1;
  }
  SkipRandomDraws(static_cast<std::uint32_t>(kCoinSlots - next));
}

void FastResolvePushes(CoinState state, bool chanceRules) {
  members.Collect(state);
  BuildCandidates();
  for (int m = 0; m < members.count; ++m) {
    const int i = members.bySlot[m];
    bool trailingKnown = false;
    for (int c = pairsFrom[i]; c < pairsFrom[i + 1]; ++c) {
      const int j = static_cast<int>(pairsScratch[c] & 0xFFFFu);
      const int d = PushApart(i, j, chanceRules);
      if (d == 0) continue;
      if (!trailingKnown) {
        trailing.Collect(i);
        trailingKnown = true;
      }
      Carry(d, chanceRules);
    }
  }
}

}  // namespace

const SimulationPath& FastPath() {
  static const SimulationPath path{FastRefresh, FastResolvePushes};
  return path;
}
