#pragma once

// A key-down between two ticks: the arrow keys spend a credit on a coin.
void InsertCoin(int virtualKey);

// Step T2: one coin of a coin prize enters at the top.
void ReleasePendingCoin();

// Step T9: every slot in order through flight, capture, landing, step-down,
// payout and tray; draws every coin.
void CoinPass();

// First Free slot in [first, last), or -1.
int FindFreeSlot(int first, int last);
