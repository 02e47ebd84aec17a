#pragma once

// A key-down between two ticks: the arrow keys spend a credit on a coin.
void InsertCoin(int virtualKey);

// Step T2: one coin of a coin prize enters at the top.
void ReleasePendingCoin();

// The coin pass meets the gate, draws every coin and sounds every payout in
// the middle of its loop, slot by slot; the frame and the random stream
// depend on that order. Those parts sit above the rules, so the pass calls
// out to them through this, at the points where they come in.
class CoinPassHooks {
 public:
  virtual ~CoinPassHooks() = default;
  // An Airborne coin after its move and before it is drawn: the gate may
  // take it out of play.
  virtual void AfterFlight(int slot) const = 0;
  // The sprite of the coin of `slot`: falling or lying on the table.
  virtual void DrawCoin(int slot, int x, int y, bool lying) const = 0;
  // A coin has gone over the front edge and its credits are counted.
  virtual void PaidOut(int slot) const = 0;
};

// Step T9: every slot in order through flight, capture, landing, step-down,
// payout and tray; draws every coin.
void CoinPass(const CoinPassHooks& hooks);

// First Free slot in [first, last), or -1.
int FindFreeSlot(int first, int last);
