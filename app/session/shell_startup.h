#pragma once
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "app/session/game_session.h"
#include "app/session/shell_options.h"

// What a desktop shell lends to the one start-up of the game: how it tells
// the player something, and its window with its message loop.
struct ShellHooks {
  // A text for the player: the help and the version (not an error), or an
  // error or notice line (already prefixed with the program's name).
  std::function<void(const std::string& text, bool error)> tell;
  // The opened session's notice line (prefixed), for a log: the window
  // shows the notice itself once it is up. Unset, it is told as an error.
  std::function<void(const std::string& line)> logNotice;
  // Opens the window on `session`, runs the loop until the window closes
  // and returns the loop's exit status. The session is open, with the
  // options' records, and is reset by the window's creation. The parse
  // carries the toolkit's own options too.
  std::function<int(GameSession& session, const ShellOptionsResult& parsed)> runWindow;
  // The options the window toolkit reads itself, and the help's paragraph
  // about them.
  std::span<const ForeignOption> toolkitOptions = {};
  std::string usageNote;
  ShellName name;
};

// The whole life of a desktop shell after its command line is split:
// options read (usage errors: status 2), the session opened (a record or a
// script that cannot be used: status 2), the window run, the summary told
// when asked for, the records closed (a record that could not be written
// completely: status 1 if the loop ended well).
int RunShell(const std::vector<std::string>& arguments, const ShellHooks& hooks);
