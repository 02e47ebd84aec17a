#pragma once
#include <string>
#include <string_view>
#include <vector>

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
};

// Parses a key script: `TICK KEY` per line, `#` comments, blank lines.
KeyScriptResult ParseKeyScript(std::string_view text);
