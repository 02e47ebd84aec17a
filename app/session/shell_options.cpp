#include "app/session/shell_options.h"

#include <optional>

#include "app/session/window_scale.h"

namespace {

// New options go into these tables; the loop below needs no change.
struct FlagOption {
  const char* name;
  bool ShellOptions::*field;
};
constexpr FlagOption kFlags[] = {
    {"--fullscreen", &ShellOptions::fullscreen},
    {"--summary", &ShellOptions::summaryRequested},
    {"--version", &ShellOptions::versionRequested},
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
  return "usage: marobel [--scale N] [--fullscreen] [--record FILE] [--replay FILE] [--trace FILE] [--summary]\n"
         "               [--version]\n"
         "  --scale N      show the game's pixels N times larger (1 to 8; default: as the screen suits)\n"
         "  --fullscreen   start on the full screen (F11 or Alt+Enter switch it on and off)\n"
         "  --record FILE  write every key press the game takes as a key script\n"
         "  --replay FILE  play a key script's presses; the player takes over after its last\n"
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
    std::string name = args[i];
    std::optional<std::string> inlineValue;
    if (const auto eq = name.find('='); name.rfind("--", 0) == 0 && eq != std::string::npos) {
      inlineValue = name.substr(eq + 1);
      name.resize(eq);
    }
    if (name == "-h") name = "--help";

    bool known = false;
    for (const FlagOption& flag : kFlags) {
      if (name != flag.name) continue;
      if (inlineValue) return fail("option " + name + " takes no value");
      r.options.*flag.field = true;
      known = true;
    }
    for (const FileOption& file : kFiles) {
      if (name != file.name) continue;
      std::string value;
      if (inlineValue) {
        value = *inlineValue;
      } else {
        if (i + 1 >= args.size()) return fail("option " + name + " needs a file name");
        value = args[++i];
      }
      if (value.empty()) return fail("option " + name + " needs a non-empty file name");
      if (!(r.options.*file.field).empty()) return fail("option " + name + " is given twice");
      r.options.*file.field = value;
      known = true;
    }
    if (name == "--scale") {
      std::string value;
      if (inlineValue) {
        value = *inlineValue;
      } else {
        if (i + 1 >= args.size()) return fail("option --scale needs a number");
        value = args[++i];
      }
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
  return r;
}
