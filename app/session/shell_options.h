#pragma once
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "app/session/option_reader.h"

// What the desktop shells take on their command line. Every option is
// optional; without any, the game plays as it always has.
struct ShellOptions {
  std::string recordFile;            // empty: nothing recorded
  std::string replayFile;            // empty: the player alone plays
  std::string traceFile;             // empty: no trace
  std::optional<long long> credits;  // free play: the credits the game starts with
  // How many times faster a replay plays until its last press: 1, 4, 16, or
  // 0 for as fast as the machine goes.
  int replaySpeed = 1;
  bool continueGame = false;  // keep the game between sessions and go on with it
  // Keep the game (a window's games are always kept), but start a new one:
  // the kept game becomes the previous one. Not with --record or --replay.
  bool keepGame = false;
  int scale = 0;                  // 1 to 8; 0: the screen decides
  bool fullscreen = false;        // start on the full screen
  bool smooth = true;             // pictures between ticks (the Smooth motion menu item)
  bool summaryRequested = false;  // print an account of the session on exit
  bool versionRequested = false;
  bool helpRequested = false;
};

struct ShellOptionsResult {
  ShellOptions options;
  bool ok = true;
  std::string error;  // one line naming the problem
  // The window toolkit's own options, values included, in the order given.
  std::vector<std::string> toolkitArguments;
};

// Parses the arguments after the program name. File names are kept as
// given: native bytes on Linux, UTF-8 on Windows. A shell whose toolkit
// reads options of its own names them, and they are handed back untouched.
ShellOptionsResult ParseShellOptions(const std::vector<std::string>& args,
                                     std::span<const ForeignOption> toolkitOptions = {});

// The command a shell is started as, and what it does, for its help and
// its error lines.
struct ShellName {
  const char* program = "marobel";
  const char* purpose = "Play the coin pusher in a window.";
};

// The help text, several lines ending in a newline; a shell may add a
// paragraph of its own (its toolkit's options).
std::string ShellUsage(std::string_view note = {}, const ShellName& name = {});

// What the shells print for a mistake on their command line.
std::string ShellUsageError(const std::string& error, const ShellName& name = {});
