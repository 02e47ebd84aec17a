#pragma once
#include <cstdint>
#include <cstring>

#include "game/constants.h"
#include "game/contact_table.h"

enum class CoinState : std::uint8_t { Free = 0, Airborne = 1, OnPusher = 2, OnField = 3, PaidOut = 4 };

struct ScreenBox {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

// The whole game: one global object, fixed in size, alive for the process.
// Tests may set any field directly and return to the program-start values
// with ResetProgramState().
struct GameState {
  std::int32_t coinX[kCoinSlots];
  std::int32_t coinY[kCoinSlots];
  std::int32_t coinVy[kCoinSlots];
  CoinState coinState[kCoinSlots];
  ContactTable contactMatrix;

  int pusherStroke;
  int pusherRetracting;
  int gateOffset;
  int gateReturning;
  int lotteryRow;
  int lotteryColumn;
  int lotterySpinning;
  ScreenBox lotteryBox;
  int pendingCoins;
  int sweepRequested;
  int sweepTimer;
  int magicRequested;
  int magicTimer;
  int credits;
  std::uint32_t randState;
};

extern GameState game;

// Puts every value back to its program-start value, in place.
void ResetProgramState();

// The game's one random stream: 0..32767.
int gameRand();

// Advances the random stream by n draws at once (same result as n calls).
void SkipRandomDraws(std::uint32_t n);

// Calls fn(slot) for every slot that is not Free, in ascending order. Most
// of the pool is usually free, so eight slots are tested at a time. The
// state of a slot is read when it is visited; fn may free slots, but must
// not bring a free slot into play.
template <typename Fn>
inline void ForEachCoinInPlay(Fn&& fn) {
  static_assert(sizeof(CoinState) == 1 && kCoinSlots % 8 == 0);
  const auto* states = reinterpret_cast<const unsigned char*>(game.coinState);
  for (int base = 0; base < kCoinSlots; base += 8) {
    std::uint64_t eight;
    std::memcpy(&eight, states + base, sizeof eight);
    if (eight == 0) continue;
    for (int i = base; i < base + 8; ++i)
      if (states[i] != 0) fn(i);
  }
}
