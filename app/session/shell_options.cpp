#include "app/session/shell_options.h"

#include <optional>

#include "app/session/key_script.h"
#include "app/session/option_word.h"
#include "app/session/window_scale.h"

namespace {

// New options go into these tables; the loop below needs no change.
struct FlagOption {
  const char* name;
  bool ShellOptions::*field;
};
constexpr FlagOption kFlags[] = {
    {"--continue", &ShellOptions::continueGame},    {"--fullscreen", &ShellOptions::fullscreen},
    {"--summary", &ShellOptions::summaryRequested}, {"--version", &ShellOptions::versionRequested},
    {"--help", &ShellOptions::helpRequested},
};

struct FileOption {
  const char* name;
  std::string ShellOptions::*field;
};
constexpr FileOption kFiles[] = {
    {"--record", &ShellOptions::recordFile},
    {"--replay", &ShellOptions::replayFile},
    {"--trace", &ShellOptions::traceFile},
};

}  // namespace

static_assert(kMinWindowScale == 1 && kMaxWindowScale == 8, "the usage text names the scales");

const char* ShellUsage() {
  return "usage: marobel [--continue] [--credits N] [--scale N] [--fullscreen] [--record FILE]\n"
         "               [--replay FILE [--replay-speed N]] [--trace FILE] [--summary] [--version]\n"
         "  --continue     go on with the game kept from the last --continue, exactly where it was left\n"
         "  --credits N    free play: start with N credits (0 to 1000000000)\n"
         "  --scale N      show the game's pixels N times larger (1 to 8; default: as the screen suits)\n"
         "  --fullscreen   start on the full screen (F11 or Alt+Enter switch it on and off)\n"
         "  --record FILE  write every key press the game takes as a key script\n"
         "  --replay FILE  play a key script's presses; the player takes over after its last\n"
         "  --replay-speed N  play the replay 1, 4 or 16 times as fast, or max, until the player takes over\n"
         "  --trace FILE   write the session's trace, one JSON line per tick\n"
         "  --summary      print an account of the session on standard error when the game exits\n"
         "  --version      print the version and exit\n";
}

ShellOptionsResult ParseShellOptions(const std::vector<std::string>& args) {
  ShellOptionsResult r;
  auto fail = [&](std::string message) {
    r.ok = false;
    r.error = std::move(message);
    return r;
  };
  for (std::size_t i = 0; i < args.size(); ++i) {
    const OptionWord word = SplitOption(args[i]);
    const std::string name = word.name == "-h" ? "--help" : word.name;

    bool known = false;
    for (const FlagOption& flag : kFlags) {
      if (name != flag.name) continue;
      if (word.inlineValue) return fail("option " + name + " takes no value");
      r.options.*flag.field = true;
      known = true;
    }
    for (const FileOption& file : kFiles) {
      if (name != file.name) continue;
      const std::optional<std::string> given = OptionValue(word, args, i);
      if (!given) return fail("option " + name + " needs a file name");
      const std::string& value = *given;
      if (value.empty()) return fail("option " + name + " needs a non-empty file name");
      if (!(r.options.*file.field).empty()) return fail("option " + name + " is given twice");
      r.options.*file.field = value;
      known = true;
    }
    auto valueOf = [&] { return OptionValue(word, args, i); };
    if (name == "--replay-speed") {
      const std::optional<std::string> given = valueOf();
      if (!given) return fail("option --replay-speed needs 1, 4, 16 or max");
      const std::string& value = *given;
      if (value == "1" || value == "4" || value == "16")
        r.options.replaySpeed = std::stoi(value);
      else if (value == "max")
        r.options.replaySpeed = 0;
      else
        return fail("--replay-speed '" + value + "' is not 1, 4, 16 or max");
      known = true;
    }
    if (name == "--credits") {
      const std::optional<std::string> given = valueOf();
      if (!given) return fail("option --credits needs a number");
      const std::string& value = *given;
      const std::optional<long long> credits = ParseStartingCredits(value);
      if (!credits)
        return fail("--credits '" + value + "' is not a whole number from 0 to " + std::to_string(kMaxStartingCredits));
      if (r.options.credits) return fail("option --credits is given twice");
      r.options.credits = credits;
      known = true;
    }
    if (name == "--scale") {
      const std::optional<std::string> given = valueOf();
      if (!given) return fail("option --scale needs a number");
      const std::string& value = *given;
      if (r.options.scale != 0) return fail("option --scale is given twice");
      if (value.size() != 1 || value[0] < '0' + kMinWindowScale || value[0] > '0' + kMaxWindowScale)
        return fail("option --scale takes a whole number from " + std::to_string(kMinWindowScale) + " to " +
                    std::to_string(kMaxWindowScale) + ", not '" + value + "'");
      r.options.scale = value[0] - '0';
      known = true;
    }
    if (!known && args[i].rfind("-", 0) != 0) return fail("unexpected argument '" + args[i] + "' (try --help)");
    if (!known) return fail("unknown option '" + args[i] + "' (try --help)");
  }
  if (r.options.replaySpeed != 1 && r.options.replayFile.empty()) return fail("--replay-speed goes with --replay");
  if (r.options.continueGame && (!r.options.recordFile.empty() || !r.options.replayFile.empty()))
    return fail("--continue keeps its own record: it goes without --record and --replay");
  return r;
}
