#pragma once

// Step T5: back wall, base, pusher table at the current stroke, upper
// cabinet with the prize board, gate.
void DrawCabinet();

// Step T6: title and credit count, then the pen of the lottery cursor.
void DrawHeadUpTexts();

// Inside T9: the coin of `slot`, falling or lying on the table.
void DrawCoin(int slot, int x, int y, bool lying);

// Step T12: the marker over every bonus coin on the table or the field.
void DrawBonusOverlays();

// The credit line as the game shows it: the count followed by the counter
// character, in Shift-JIS.
void FormatCredits(int credits, char (&buffer)[32]);
