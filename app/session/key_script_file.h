#pragma once
#include <string>
#include <vector>

#include "app/session/key_script.h"

// Reads and parses a key script file. On failure `error` is the one line
// every front end shows: "FILE:LINE: reason", or "FILE: reason" when the
// file cannot be read at all.
bool LoadKeyScript(const std::string& file, std::vector<KeyPress>& presses, std::string& error);

// One key-script line (no newline) that parses back to the same press:
// the arrows by name, every other key by its decimal code.
std::string KeyScriptLine(const KeyPress& press);
