#pragma once
#include <string>

// Shows a few lines (UTF-8, ending in a newline) to whoever started the
// game, which as a windowed program has no console of its own: on its
// standard output or error stream when that leads somewhere (a pipe, a
// file, a console), else in the console it was started from, else in a
// message box titled `caption`.
void ShowShellText(const std::string& text, bool isError, const wchar_t* caption);

// The same without the message box: a line for a log, which the window
// shows the player itself. Whether it went anywhere.
bool LogShellText(const std::string& text, bool isError);
