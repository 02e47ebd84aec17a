#include "tools/artgen/prize_board.h"

#include <cmath>
#include <string>

#include "tools/artgen/art_palette.h"
#include "tools/artgen/pixel_font.h"

namespace artgen {

namespace {

constexpr Rgb kCoinCell{14, 26, 66};
constexpr Rgb kJackpotCell{118, 14, 34};
constexpr Rgb kSweepCell{10, 52, 34};
constexpr Rgb kMagicCell{48, 14, 76};
constexpr Rgb kBlankCell{22, 24, 36};
constexpr Rgb kGrid{96, 70, 24};

// A coin four pixels across: dark rim, gold face, one glint.
void MiniCoin(Picture& p, int x, int y) {
  p.FillRect(x + 1, y, 2, 4, colour::kCoinDark);
  p.FillRect(x, y + 1, 4, 2, colour::kCoinDark);
  p.FillRect(x + 1, y + 1, 2, 2, colour::kCoin);
  p.Set(x + 1, y + 1, colour::kCoinLight);
}

// The interior the yellow cursor never touches runs from +2 to +15.
void CoinCell(Picture& p, int left, int top, int coins) {
  const bool jackpot = coins >= 100;
  p.FillRect(left + 1, top + 1, 16, 16, jackpot ? kJackpotCell : kCoinCell);
  const std::string text = "+" + std::to_string(coins);
  const int x = left + 2 + (14 - TextWidth(text)) / 2;
  DrawText(p, x, top + 3, text, jackpot ? colour::kGoldLight : colour::kGold);
  // One, two or three coins show how big the prize is.
  const int shown = coins >= 10 ? 3 : coins >= 5 ? 2 : 1;
  const int first = left + 3 + (12 - 4 * shown) / 2;
  for (int i = 0; i < shown; ++i) MiniCoin(p, first + 4 * i, top + 10);
  if (jackpot) {
    p.FillRect(left + 3, top + 15, 12, 1, colour::kGold);
  }
}

void SweepCell(Picture& p, int left, int top) {
  p.FillRect(left + 1, top + 1, 16, 16, kSweepCell);
  const Rgb handle{170, 110, 60};
  const Rgb straw{236, 208, 96};
  const Rgb strawDark{170, 130, 40};
  p.DrawLine({left + 13.5, top + 3.5}, {left + 8.0, top + 9.0}, 1.4, handle);
  // The bristles fan out towards the lower left, as if sweeping.
  p.FillPolygon({{left + 7.0, top + 8.0},
                 {left + 10.0, top + 11.0},
                 {left + 7.0, top + 15.0},
                 {left + 2.5, top + 14.5},
                 {left + 2.5, top + 12.0}},
                straw);
  p.Set(left + 5, top + 13, strawDark);
  p.Set(left + 6, top + 12, strawDark);
  p.Set(left + 4, top + 14, strawDark);
  p.Set(left + 7, top + 9, Rgb{120, 30, 30});
  p.Set(left + 8, top + 10, Rgb{120, 30, 30});
  // A puff of dust in front of the broom.
  p.Set(left + 12, top + 13, Rgb{120, 170, 140});
  p.Set(left + 14, top + 12, Rgb{120, 170, 140});
  p.Set(left + 13, top + 11, Rgb{90, 140, 110});
}

void MagicCell(Picture& p, int left, int top) {
  p.FillRect(left + 1, top + 1, 16, 16, kMagicCell);
  const double cx = left + 8.5, cy = top + 9.0;
  std::vector<Point> star;
  for (int i = 0; i < 10; ++i) {
    const double r = i % 2 == 0 ? 6.2 : 2.6;
    const double a = -1.5707963 + i * 3.14159265 / 5;
    star.push_back({cx + r * std::cos(a), cy + r * std::sin(a)});
  }
  p.FillPolygon(star, Rgb{255, 214, 64});
  p.FillEllipse(cx, cy, 1.6, 1.6, kWhite);
  p.Set(left + 3, top + 3, Rgb{210, 170, 255});
  p.Set(left + 14, top + 4, Rgb{210, 170, 255});
  p.Set(left + 14, top + 14, Rgb{160, 120, 230});
}

void BlankCell(Picture& p, int left, int top) {
  p.FillRect(left + 1, top + 1, 16, 16, kBlankCell);
  p.FillRect(left + 6, top + 8, 6, 2, Rgb{70, 74, 92});
}

}  // namespace

void DrawPrizeBoard(Picture& top) {
  const int right = kBoardLeft + kBoardCell * kBoardColumns;
  const int bottom = kBoardTop + kBoardCell * kBoardRows;
  // A gold frame around the grid, outside the cursor's reach.
  top.FillRect(kBoardLeft - 4, kBoardTop - 4, right - kBoardLeft + 9, bottom - kBoardTop + 9, colour::kGoldDark);
  top.FillRect(kBoardLeft - 3, kBoardTop - 3, right - kBoardLeft + 7, bottom - kBoardTop + 7, colour::kGold);
  top.FillRect(kBoardLeft - 2, kBoardTop - 2, right - kBoardLeft + 5, bottom - kBoardTop + 5, colour::kGoldLight);
  top.FillRect(kBoardLeft - 1, kBoardTop - 1, right - kBoardLeft + 3, bottom - kBoardTop + 3, colour::kBodyDark);
  top.FillRect(kBoardLeft, kBoardTop, right - kBoardLeft + 1, bottom - kBoardTop + 1, kGrid);
  for (int row = 0; row < kBoardRows; ++row) {
    for (int column = 0; column < kBoardColumns; ++column) {
      const int left = kBoardLeft + kBoardCell * column;
      const int cellTop = kBoardTop + kBoardCell * row;
      const Prize prize = PrizeAt(row, column);
      switch (prize.kind) {
        case PrizeKind::Coins:
          CoinCell(top, left, cellTop, prize.coins);
          break;
        case PrizeKind::Sweep:
          SweepCell(top, left, cellTop);
          break;
        case PrizeKind::Magic:
          MagicCell(top, left, cellTop);
          break;
        case PrizeKind::None:
          BlankCell(top, left, cellTop);
          break;
      }
    }
  }
}

}  // namespace artgen
