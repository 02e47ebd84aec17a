#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Exact snapshots of a running game, taken and restored between two ticks:
// the game state with its contact codes, the random stream, the cabinet's
// clock, the sound that may still be playing, the canvas style that carries
// from tick to tick and the running play totals. A game restored from a
// snapshot goes on exactly as the one it was taken from. The byte layout is
// described in docs/snapshot-format.md.

inline constexpr std::uint32_t kSnapshotVersion = 1;

std::vector<std::uint8_t> SaveSnapshot();

// Restores the game from `bytes`. A snapshot that is damaged, of another
// version or that contradicts itself is refused: false, with one line
// naming the problem in `error`, and nothing of the running game changed.
bool LoadSnapshot(const std::uint8_t* bytes, std::size_t size, std::string& error);

// The same, through a file; errors name the path.
bool LoadSnapshotFile(const std::string& path, std::string& error);

// The CRC-32 a snapshot ends with, over every byte before it: for tools
// and tests that build snapshots by hand.
std::uint32_t SnapshotChecksum(const std::uint8_t* bytes, std::size_t size);
