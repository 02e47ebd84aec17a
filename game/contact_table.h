#pragma once
#include <bit>
#include <cstdint>
#include <cstring>

#include "game/constants.h"

enum ContactCode : std::uint8_t {
  ContactNone = 0,
  ContactBehind = 1,  // [a][b], a < b: a lay behind b when classified
  ContactAhead = 2,   // [a][b], a < b: a lay level with or ahead of b
};

// Storage of the contact code of every slot pair. A pair's code says exactly
// which of its two coins is the rear one, so one bit per ordered pair holds
// it all: a coin's row has a bit for every coin trailing it, and a second
// row, the transpose, a bit for every coin it trails. Both rows of a coin
// lie side by side, so everything about one coin's pairs is 1.3 KB of
// memory: lookups are constant time, its trailing coins are one bit scan,
// and a coin that leaves play clears its pairs without touching every row.
class ContactTable {
 public:
  static constexpr int kWords = (kCoinSlots + 63) / 64;

  ContactCode Code(int a, int b) const {            // a < b
    if (Has(a, kFronts, b)) return ContactBehind;   // a trails b
    if (Has(a, kTrailing, b)) return ContactAhead;  // b trails a
    return ContactNone;
  }
  bool IsNone(int a, int b) const { return Unbound(a, b); }

  // No code is recorded for the pair {a, b}, in either order; reads only a's rows.
  bool Unbound(int a, int b) const {
    return ((rows_[a][kFronts][b >> 6] | rows_[a][kTrailing][b >> 6]) >> (b & 63) & 1u) == 0;
  }

  void Set(int a, int b, ContactCode code) {  // a < b, pair currently none
    if (code == ContactBehind)
      Link(a, b);
    else if (code == ContactAhead)
      Link(b, a);
  }

  bool IsTrailing(int k, int p) const { return k != p && Has(p, kTrailing, k); }

  void ClearCoin(int n) {
    const std::uint64_t keep = ~(std::uint64_t{1} << (n & 63));
    for (int w = 0; w < kWords; ++w) {
      for (std::uint64_t bits = rows_[n][kFronts][w]; bits; bits &= bits - 1)
        rows_[w * 64 + std::countr_zero(bits)][kTrailing][n >> 6] &= keep;
      for (std::uint64_t bits = rows_[n][kTrailing][w]; bits; bits &= bits - 1)
        rows_[w * 64 + std::countr_zero(bits)][kFronts][n >> 6] &= keep;
    }
    std::memset(rows_[n], 0, sizeof rows_[n]);
  }

  void ClearAll() { std::memset(rows_, 0, sizeof rows_); }

  // Both rows of one coin, as words, for a copy of the table kept aside:
  // a free slot's rows are all clear, so the rows of the coins in play are
  // the whole table.
  static constexpr int kRowWords = 2 * kWords;
  const std::uint64_t* RowsOf(int n) const { return rows_[n][0]; }
  void SetRowsOf(int n, const std::uint64_t* words) { std::memcpy(rows_[n], words, sizeof rows_[n]); }
  void ClearRowsOf(int n) { std::memset(rows_[n], 0, sizeof rows_[n]); }

  // The set of coins trailing p, as kWords words of bits by slot.
  const std::uint64_t* TrailingBits(int p) const { return rows_[p][kTrailing]; }

 private:
  enum Row { kTrailing = 0, kFronts = 1 };
  bool Has(int n, Row row, int k) const { return (rows_[n][row][k >> 6] >> (k & 63)) & 1u; }
  // Records `rear` as trailing `front`.
  void Link(int rear, int front) {
    rows_[front][kTrailing][rear >> 6] |= std::uint64_t{1} << (rear & 63);
    rows_[rear][kFronts][front >> 6] |= std::uint64_t{1} << (front & 63);
  }

  std::uint64_t rows_[kCoinSlots][2][kWords];
};
