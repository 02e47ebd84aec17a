#pragma once
// The lottery board as the player sees it on the upper cabinet: 8 by 3 cells
// of 17 pixels, each showing the prize that the lottery awards there.
#include "bonus/prize_board.h"
#include "tools/artgen/raster.h"

namespace artgen {

inline constexpr int kBoardCell = 17;
// Top-left corner of cell (0, 0) inside the upper cabinet picture.
inline constexpr int kBoardLeft = 14;
inline constexpr int kBoardTop = 64;

// Draws the whole board, grid and frame included, into the upper cabinet.
void DrawPrizeBoard(Picture& top);

}  // namespace artgen
