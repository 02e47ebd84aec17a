#pragma once
#include <cstdint>

// What a drawing call shows, for whoever composes a display list again
// with things moved: a kind the drawing code chooses (0: nothing in
// particular) and, for things that come many at a time, which one.
struct DrawTag {
  std::uint8_t kind = 0;
  int slot = -1;
  friend bool operator==(const DrawTag&, const DrawTag&) = default;
};
