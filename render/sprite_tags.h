#pragma once
#include <cstdint>

#include "canvas/draw_tag.h"

// What each sprite of a frame shows, so that a picture between two ticks
// can find the same thing in both and move it part of the way. Coins and
// bonus markers also carry their slot.
namespace shows {
enum Kind : std::uint8_t {
  kNothing = 0,
  kCabinetPart,  // back wall, base, upper cabinet: never move
  kPusher,
  kGate,
  kFallingCoin,
  kLyingCoin,
  kMagic,
  kSweeper,
  kBonusMarker,
};

inline DrawTag Tag(Kind kind, int slot = -1) { return DrawTag{kind, slot}; }

// A coin is the same coin falling or lying, as long as it keeps its slot.
inline bool SameThing(DrawTag a, DrawTag b) {
  auto family = [](std::uint8_t k) { return k == kLyingCoin ? std::uint8_t{kFallingCoin} : k; };
  return a.kind != kNothing && family(a.kind) == family(b.kind) && a.slot == b.slot;
}
}  // namespace shows
