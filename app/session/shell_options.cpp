#include "app/session/shell_options.h"

#include <optional>

#include "app/session/key_script.h"
#include "app/session/printable_text.h"
#include "app/session/window_scale.h"

namespace {

static_assert(kMinWindowScale == 1 && kMaxWindowScale == 8, "the help names the scales");

constexpr OptionSpec kOptions[] = {
    {"--continue", nullptr, "go on with the game kept from the last --continue, exactly where it was left"},
    {"--credits", "N", "free play: start with N credits (0 to 1000000000)"},
    {"--scale", "N", "show the game's pixels N times larger (1 to 8; default: as the screen suits)"},
    {"--fullscreen", nullptr, "start on the full screen (F11 or Alt+Enter switch it on and off)"},
    {"--smooth", nullptr, "move things smoothly between ticks (the default; the Smooth motion menu item)"},
    {"--no-smooth", nullptr, "show each tick's frame until the next, as the cabinet draws them"},
    {"--record", "FILE", "write every key press the game takes as a key script"},
    {"--replay", "FILE", "play a key script's presses; the player takes over after its last"},
    {"--replay-speed", "N", "play the replay 1, 4 or 16 times as fast, or max, until the player takes over"},
    {"--trace", "FILE", "write the session's trace, one JSON line per tick"},
    {"--summary", nullptr, "print an account of the session on standard error when the game exits"},
};

// Each file option and the field it fills.
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

std::string ShellUsage(std::string_view note, const ShellName& name) {
  return OptionsHelp(name.program, name.purpose, kOptions, note);
}

std::string ShellUsageError(const std::string& error, const ShellName& name) {
  return OptionsErrorText(name.program, error);
}

ShellOptionsResult ParseShellOptions(const std::vector<std::string>& args,
                                     std::span<const ForeignOption> toolkitOptions) {
  ShellOptionsResult r;
  auto fail = [&](const std::string& message) {
    r.ok = false;
    r.error = PrintableExcerpt(message);
    return r;
  };
  const OptionReading reading = ReadOptions(args, kOptions, toolkitOptions);
  r.toolkitArguments = reading.foreign;
  if (reading.helpRequested || reading.versionRequested) {
    r.options.helpRequested = reading.helpRequested;
    r.options.versionRequested = reading.versionRequested;
    return r;
  }
  if (!reading.error.empty()) return fail(reading.error);

  ShellOptions& o = r.options;
  for (const OptionGiven& given : reading.options) {
    const std::string name = given.spec->name;
    const std::string& value = given.value;
    if (name == "--continue") o.continueGame = true;
    if (name == "--fullscreen") o.fullscreen = true;
    if (name == "--summary") o.summaryRequested = true;
    if (name == "--smooth" || name == "--no-smooth") o.smooth = name == "--smooth";
    for (const FileOption& file : kFiles) {
      if (name != file.name) continue;
      if (value.empty()) return fail("option " + name + " needs a non-empty file name");
      o.*file.field = value;
    }
    if (name == "--replay-speed") {
      if (value == "1" || value == "4" || value == "16")
        o.replaySpeed = std::stoi(value);
      else if (value == "max")
        o.replaySpeed = 0;
      else
        return fail("--replay-speed '" + value + "' is not 1, 4, 16 or max");
    }
    if (name == "--credits") {
      o.credits = ParseStartingCredits(value);
      if (!o.credits)
        return fail("--credits '" + value + "' is not a whole number from 0 to " + std::to_string(kMaxStartingCredits));
    }
    if (name == "--scale") {
      if (value.size() != 1 || value[0] < '0' + kMinWindowScale || value[0] > '0' + kMaxWindowScale)
        return fail("option --scale takes a whole number from " + std::to_string(kMinWindowScale) + " to " +
                    std::to_string(kMaxWindowScale) + ", not '" + value + "'");
      o.scale = value[0] - '0';
    }
  }
  if (reading.Find("--replay-speed") && o.replayFile.empty()) return fail("--replay-speed goes with --replay");
  if (o.continueGame && (!o.recordFile.empty() || !o.replayFile.empty()))
    return fail("--continue keeps its own record: it goes without --record and --replay");
  return r;
}
