#pragma once
#include <cstdint>
#include <cstring>

#include "game/constants.h"

enum ContactCode : std::uint8_t {
  ContactNone = 0,
  ContactBehind = 1,  // [a][b], a < b: a lay behind b when classified
  ContactAhead = 2,   // [a][b], a < b: a lay level with or ahead of b
};

// Storage of the contact code of every slot pair. A pair's code is exactly
// "which of the two coins is the rear one", so one bit per ordered pair says
// it all: bit k of trail[p] is set when coin k trails coin p. Lookups are
// constant time, a coin's trailing coins are one bit scan, and the whole
// table is 5000 x 5000 bits.
class ContactTable {
 public:
  static constexpr int kWords = (kCoinSlots + 63) / 64;

  ContactCode Code(int a, int b) const {  // a < b
    if (Bit(b, a)) return ContactBehind;
    if (Bit(a, b)) return ContactAhead;
    return ContactNone;
  }
  bool IsNone(int a, int b) const { return !Bit(b, a) && !Bit(a, b); }

  void Set(int a, int b, ContactCode code) {  // a < b, pair currently none
    if (code == ContactBehind) SetBit(b, a);
    else if (code == ContactAhead) SetBit(a, b);
  }

  bool IsTrailing(int k, int p) const { return k != p && Bit(p, k); }

  void ClearCoin(int n) {
    std::memset(trail_[n], 0, sizeof trail_[n]);
    const std::uint64_t keep = ~(std::uint64_t{1} << (n & 63));
    for (int k = 0; k < kCoinSlots; ++k) trail_[k][n >> 6] &= keep;
  }

  void ClearAll() { std::memset(trail_, 0, sizeof trail_); }

  // The set of coins trailing p, as kWords words of bits by slot.
  const std::uint64_t* TrailingBits(int p) const { return trail_[p]; }

 private:
  bool Bit(int p, int k) const { return (trail_[p][k >> 6] >> (k & 63)) & 1u; }
  void SetBit(int p, int k) { trail_[p][k >> 6] |= std::uint64_t{1} << (k & 63); }

  std::uint64_t trail_[kCoinSlots][kWords];
};
