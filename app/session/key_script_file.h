#pragma once
#include <string>
#include <vector>

#include "app/session/key_script.h"

// Reads and parses a key script file. On failure `error` is the one line
// every front end shows: "FILE:LINE: reason", or "FILE: reason" when the
// file cannot be read at all.
// `startingCredits`, if given, receives what a free-play script starts with.
bool LoadKeyScript(const std::string& file, std::vector<KeyPress>& presses, std::string& error,
                   std::optional<long long>* startingCredits = nullptr);

// One key-script line (no newline) that parses back to the same press:
// the arrows by name, every other key by its decimal code.
std::string KeyScriptLine(const KeyPress& press);
