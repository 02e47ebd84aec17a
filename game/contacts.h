#pragma once
#include "game/state.h"

// Contact rules over game.contactMatrix. A set entry keeps its code until
// one of its coins leaves play; only then is it reset.

// Classifies the pair (a < b) when it is unset and both coins are in `state`.
void ClassifyPair(int a, int b, CoinState state);

// Once at window creation: the seeded slots 0..199 against each other.
void BuildInitialContacts();

// Classifies every unset pair of coins that are both in `state`.
void RefreshContacts(CoinState state);

// Classifies coin n against every other OnField coin (n has just stepped down).
void AddContactsOfCoin(int n);

// Resets every pair of coin n (n leaves play).
void ClearContactsOfCoin(int n);

// Coin k is recorded as the rear coin of its pair with coin p.
bool IsTrailing(int k, int p);

// The code the classification rule gives two positions, or ContactNone when
// they are more than 12 pixels apart on either axis.
inline ContactCode ClassifyPositions(int ax, int ay, int bx, int by) {
  const long long dx = static_cast<long long>(ax) - bx;
  if (dx < -12 || dx > 12) return ContactNone;
  const long long dy = static_cast<long long>(ay) - by;
  if (dy >= -12 && dy <= -1) return ContactBehind;
  if (dy >= 0 && dy <= 12) return ContactAhead;
  return ContactNone;
}

// Coins on the table or the field, ordered by x, for the step-downs of one
// coin pass. Within a pass no such coin changes its x, so a coin that steps
// down need only be classified against the coins within 12 pixels of it;
// the states are read at the moment, as AddContactsOfCoin does. A coin that
// was not on the table when the index was built (it landed later in the
// same pass) makes the index fall back to the full scan.
class StepDownIndex {
 public:
  void Reset() { built_ = false; }
  // Same effect as AddContactsOfCoin(n).
  void AddContactsOf(int n);

 private:
  void Build();

  bool built_ = false;
  bool complete_ = false;
  int count_ = 0;
  std::uint64_t byX_[kCoinSlots];  // (biased x) << 32 | slot
  std::uint32_t memberEpoch_[kCoinSlots] = {};
  std::uint32_t epoch_ = 0;
};
