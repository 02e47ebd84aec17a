#pragma once
#include <cstdint>

// Keys that order coins by x, then by slot: (x ^ 0x80000000) << 32 | slot.
inline std::uint64_t XOrderKey(int x, int slot) {
  return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(x) ^ 0x80000000u) << 32) |
         static_cast<std::uint32_t>(slot);
}
inline int XOfKey(std::uint64_t key) { return static_cast<int>(static_cast<std::uint32_t>(key >> 32) ^ 0x80000000u); }
inline int SlotOfKey(std::uint64_t key) { return static_cast<int>(key & 0xFFFFFFFFu); }

// Sorts `count` keys into ascending order. The keys must have been made in
// ascending slot order, as a walk over the pool makes them: coins on the
// cabinet lie within a few hundred pixels of each other, and a stable
// counting sort by x then gives the full order in one pass.
void SortXOrderKeys(std::uint64_t* keys, int count);
