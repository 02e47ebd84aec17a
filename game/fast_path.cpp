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

#include "game/contacts.h"
#include "game/pusher.h"
#include "game/simulation_path.h"

namespace {

// Coins of one state, in slot order and in x order.
struct StateMembers {
  int count = 0;
  int bySlot[kCoinSlots];
  std::uint64_t byX[kCoinSlots];  // (biased x) << 32 | slot
  std::uint64_t bits[ContactTable::kWords];

  void Collect(CoinState state) {
    count = 0;
    std::fill(std::begin(bits), std::end(bits), 0);
    ForEachCoinInPlay([&](int i) {
      if (game.coinState[i] != state) return;
      byX[count] = (static_cast<std::uint64_t>(static_cast<std::uint32_t>(game.coinX[i]) ^ 0x80000000u) << 32) |
                   static_cast<std::uint32_t>(i);
      bySlot[count++] = i;
      bits[i >> 6] |= std::uint64_t{1} << (i & 63);
    });
    std::sort(byX, byX + count);
  }
  static int Slot(std::uint64_t key) { return static_cast<int>(key & 0xFFFFFFFFu); }
  static int X(std::uint64_t key) { return static_cast<int>(static_cast<std::uint32_t>(key >> 32) ^ 0x80000000u); }
};

StateMembers members;

void FastRefresh(CoinState state) {
  members.Collect(state);
  ContactTable& table = game.contactMatrix;
  for (int p = 0; p < members.count; ++p) {
    const int a = StateMembers::Slot(members.byX[p]);
    const long long ax = game.coinX[a];
    for (int q = p + 1; q < members.count; ++q) {
      const int b = StateMembers::Slot(members.byX[q]);
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

// Candidate partners j > i of every member i, ascending in j, packed.
int candidateStart[kCoinSlots + 1];
int candidateFill[kCoinSlots];
// Sized for the worst case: every pair of the pool. Only the part a pass
// uses is ever touched, so it costs memory only as the field gets crowded.
std::uint16_t candidates[kCoinSlots * (kCoinSlots - 1) / 2];
int positionInX[kCoinSlots];

template <typename Visit>
void ForEachPushablePartner(int memberIndexInX, Visit&& visit) {
  const int j = StateMembers::Slot(members.byX[memberIndexInX]);
  const long long x = game.coinX[j];
  for (int q = memberIndexInX - 1; q >= 0 && x - StateMembers::X(members.byX[q]) <= kPushWindowX; --q) visit(j, StateMembers::Slot(members.byX[q]));
  for (int q = memberIndexInX + 1; q < members.count && StateMembers::X(members.byX[q]) - x <= kPushWindowX; ++q)
    visit(j, StateMembers::Slot(members.byX[q]));
}

void BuildCandidates() {
  const ContactTable& table = game.contactMatrix;
  for (int p = 0; p < members.count; ++p) positionInX[StateMembers::Slot(members.byX[p])] = p;
  for (int m = 0; m < members.count; ++m) candidateFill[members.bySlot[m]] = 0;
  // Count, then fill. Visiting j in ascending slot order appends each j to
  // the lists of its lower partners, so every list comes out ascending.
  for (int m = 0; m < members.count; ++m) {
    ForEachPushablePartner(positionInX[members.bySlot[m]], [&](int j, int i) {
      if (i < j && table.Unbound(j, i)) ++candidateFill[i];
    });
  }
  int offset = 0;
  for (int m = 0; m < members.count; ++m) {
    const int i = members.bySlot[m];
    candidateStart[i] = offset;
    offset += candidateFill[i];
    candidateFill[i] = candidateStart[i];
  }
  for (int m = 0; m < members.count; ++m) {
    ForEachPushablePartner(positionInX[members.bySlot[m]], [&](int j, int i) {
      if (i < j && table.Unbound(j, i)) candidates[candidateFill[i]++] = static_cast<std::uint16_t>(j);
    });
  }
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
    for (int w = 0; w < ContactTable::kWords; ++w) {
      std::uint64_t bitsLeft = trail[w] & members.bits[w];
      while (bitsLeft) {
        const int k = w * 64 + std::countr_zero(bitsLeft);
        bitsLeft &= bitsLeft - 1;
        if (k < kNormalSlots) normal[normalCount++] = k;
        else bonus[bonusCount++] = k;
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
    const int end = candidateStart[i] + (candidateFill[i] - candidateStart[i]);
    for (int c = candidateStart[i]; c < end; ++c) {
      const int j = candidates[c];
      const long long dy = static_cast<long long>(game.coinY[i]) - game.coinY[j];
      int d;
      if (dy >= 0 && dy <= kOverlapWindowY) {
        d = static_cast<int>(kSeparation - dy);
        if (chanceRules && i >= kNormalSlots) {
          if (gameRand() % kBonusMoveChance == 0) game.coinY[i] += d / 2;
        } else {
          game.coinY[i] += d;
        }
      } else if (dy >= -kOverlapWindowY && dy <= -1) {
        d = static_cast<int>(kSeparation + dy);
        game.coinY[j] += d;
      } else {
        continue;
      }
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
