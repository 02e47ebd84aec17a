#pragma once
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "cabinet/cabinet.h"

// Appends `text` to `out` as a JSON string literal.
void AppendJsonString(std::string& out, std::string_view utf8Text);

// A tick's sound requests, in request order.
using SoundCues = std::vector<std::string_view>;

// Appends the JSON entries of `list`'s drawing calls to `out`,
// comma-separated, without the enclosing brackets.
void AppendDrawEntries(std::string& out, const DisplayList& list);

// One trace line for the current game state (no trailing newline).
// With `draws`, the line lists them too.
void FormatTraceLine(std::string& out, long long tick, const SoundCues& sounds, const DisplayList* draws);

// The same line and its newline, written to `file`; `scratch` is working
// space worth keeping from line to line. False when a write fails.
bool WriteTraceLine(std::FILE* file, std::string& scratch, long long tick, const SoundCues& sounds,
                    const DisplayList* draws);
