#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// Key scripts for long, busy games: enough coins through the gate that
// every prize turns up, with bursts in one lane and presses in both. The
// same style, seed and length always give the same script, on every
// platform, so golden traces and benchmarks can be rebuilt from the source.
enum class RichStyle {
  Steady,  // one to three presses in each lane before every tick
  Bursts,  // quiet stretches broken by bursts of up to 40 presses in one lane
  Mixed,   // steady, quiet and burst phases in turn, plus keys the game ignores
};

// Parses "steady", "bursts" or "mixed"; false for anything else.
bool ParseRichStyle(std::string_view name, RichStyle& style);

std::string RichGameKeys(RichStyle style, std::uint64_t seed, long long ticks);
