#pragma once
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Beyond any game a runner could play; larger ticks are rejected as too large.
inline constexpr long long kMaxScriptTick = std::numeric_limits<long long>::max() / 2;
// Virtual-key codes are 16-bit values on the platform the game comes from.
inline constexpr int kMaxVirtualKey = 0xFFFF;

// The most credits a game may start with (free play, or the runner's
// --credits test aid).
inline constexpr long long kMaxStartingCredits = 1'000'000'000;

// The word a key script names a key by: "left" and "right" for the keys
// of the two lanes, else the virtual-key code in decimal.
std::string KeyWord(int virtualKey);

// One key-down, delivered after tick `tick - 1` and before tick `tick`.
struct KeyPress {
  long long tick = 0;
  int virtualKey = 0;
};

struct KeyScriptResult {
  std::vector<KeyPress> presses;
  bool ok = true;
  int errorLine = 0;        // 1-based line of the first error
  std::string errorReason;  // what is wrong on that line
  // A free-play game starts with this many credits, named by the script's
  // first line, "# credits N" (a comment to older readers).
  std::optional<long long> startingCredits;
};

// Parses a key script: `TICK KEY` per line, `#` comments, blank lines.
KeyScriptResult ParseKeyScript(std::string_view text);

// Starting credits written as decimal digits, 0 to kMaxStartingCredits.
std::optional<long long> ParseStartingCredits(std::string_view digits);

// The first line of a free-play game's script.
std::string StartingCreditsLine(long long credits);
