#pragma once
#include "bonus/prize_board.h"

// Step T4: the gate moves 12 pixels and turns at its ends.
void GateStep();

// Inside T9, for an Airborne slot after its move: the gate swallows a coin
// that lies wholly within its mouth and starts the lottery.
void CaptureAtGate(int slot);

// Step T7: while spinning, tick sound, cursor one cell on, stop 1 in 20.
void LotteryStep();

// The prize of one board cell.
void AwardPrize(int row, int column);

// Step T8: the cursor square, four lines with the current pen.
void DrawLotteryCursor();
