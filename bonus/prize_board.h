#pragma once

// The lottery's prize board, 3 rows by 8 columns. The game awards from it
// and the art generator paints it onto the upper cabinet, so both read this
// one table and the board can never show one prize and pay another.
enum class PrizeKind { None, Coins, Sweep, Magic };

struct Prize {
  PrizeKind kind = PrizeKind::None;
  int coins = 0;
};

inline constexpr int kBoardRows = 3;
inline constexpr int kBoardColumns = 8;

namespace prize_board_detail {
constexpr Prize C(int n) { return {PrizeKind::Coins, n}; }
inline constexpr Prize S{PrizeKind::Sweep, 0};
inline constexpr Prize M{PrizeKind::Magic, 0};
inline constexpr Prize B{};
inline constexpr Prize kBoard[kBoardRows][kBoardColumns] = {
    {C(1), B, C(2), C(10), S, C(7), B, S},
    {S, C(2), S, C(1), B, M, S, C(100)},
    {B, M, B, C(5), S, B, C(1), B},
};
}  // namespace prize_board_detail

constexpr Prize PrizeAt(int row, int column) { return prize_board_detail::kBoard[row][column]; }

// The most coins one stop of the lottery adds to those waiting.
inline constexpr int kLargestCoinPrize = [] {
  int largest = 0;
  for (const auto& row : prize_board_detail::kBoard)
    for (const Prize& p : row) largest = p.coins > largest ? p.coins : largest;
  return largest;
}();
