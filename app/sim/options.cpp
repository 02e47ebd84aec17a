#include "app/sim/options.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>

#include "app/session/key_script.h"
#include "app/session/option_reader.h"
#include "app/session/printable_text.h"
#include "app/sim/video_format.h"

namespace {

bool ParseWholeNumber(const std::string& s, long long max, long long& out) {
  if (s.empty()) return false;
  for (char c : s)
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  // Leading zeros do not count towards the length that rules out an overflow.
  const std::size_t first = std::min(s.find_first_not_of('0'), s.size() - 1);
  if (s.size() - first > 19) return false;
  errno = 0;
  const long long v = std::strtoll(s.c_str() + first, nullptr, 10);
  if (errno != 0 || v > max) return false;
  out = v;
  return true;
}

constexpr const char* kProgram = "marobel-sim";

constexpr OptionSpec kOptions[] = {
    {"--ticks", "N", "game ticks after the creation reset (default 100)"},
    {"--keys", "FILE", "key presses to deliver, one 'TICK KEY' a line"},
    {"--credits", "N", "set the credit count after the reset (0 to 1000000000)"},
    {"--trace", "FILE", "write the JSON Lines trace to FILE; - is standard output (default)"},
    {"--draws", nullptr, "add each tick's drawing calls to the trace"},
    {"--frames", "DIR", "write each tick's frame as DIR/frame-NNNNNN.png"},
    {"--assets", "DIR", "where the picture and sound files are (default: here)"},
    {"--video", "FILE", "render the run as a video (.mp4 or .webm)"},
    {"--fps", "N",
     "pictures a second for --frames, --video and --raw-frames: 5 (a frame a tick, the default), 10, 15, 20, 30 or "
     "60 (with pictures between the ticks, as a window shows them)"},
    {"--raw-frames", "FILE",
     "write every picture the window shows to FILE (- is standard output): 384 x 390 pixels, RGBA, one after "
     "another"},
    {"--summary", nullptr,
     "print an account of the session when the run ends: on standard output, or standard error when the trace "
     "goes there"},
    {"--summary-json", "FILE", "write the same account as one JSON object to FILE"},
    {"--save-snapshot", "FILE", "write the whole game state to FILE after the last tick"},
    {"--load-snapshot", "FILE",
     "start from FILE's state instead of the creation reset; ticks count on from the snapshot's tick, presses up "
     "to it are skipped (not with --credits)"},
    {"--stats-png", "FILE", "write the statistics picture (the account and its plots) to FILE after the last tick"},
    {"--stats-lang", "LANG", "the statistics picture's texts: en (the default) or ja"},
};

// Each option that names a file or folder and the field it fills.
struct PathOption {
  const char* name;
  std::string SimOptions::*field;
};
constexpr PathOption kPaths[] = {
    {"--keys", &SimOptions::keysFile},
    {"--trace", &SimOptions::traceFile},
    {"--frames", &SimOptions::framesDir},
    {"--raw-frames", &SimOptions::rawFramesFile},
    {"--assets", &SimOptions::assetsDir},
    {"--summary-json", &SimOptions::summaryJsonFile},
    {"--save-snapshot", &SimOptions::saveSnapshotFile},
    {"--load-snapshot", &SimOptions::loadSnapshotFile},
    {"--stats-png", &SimOptions::statsPngFile},
};

}  // namespace

int SimOptions::PicturesPerTick() const { return framesPerSecond / kTicksPerSecond; }

std::string SimUsage() {
  return OptionsHelp(kProgram, "Play the coin pusher without a window and write the trace of every tick.", kOptions);
}

std::string SimUsageError(const std::string& error) { return OptionsErrorText(kProgram, error); }

SimOptionsResult ParseSimOptions(const std::vector<std::string>& args) {
  SimOptionsResult r;
  auto fail = [&](const std::string& message) {
    r.ok = false;
    // Arguments are quoted in the message; it must stay one printable line.
    r.error = PrintableExcerpt(message);
    return r;
  };
  const OptionReading reading = ReadOptions(args, kOptions);
  if (reading.helpRequested || reading.versionRequested) {
    r.helpRequested = reading.helpRequested;
    r.versionRequested = reading.versionRequested;
    return r;
  }
  if (!reading.error.empty()) return fail(reading.error);

  for (const OptionGiven& given : reading.options) {
    const std::string name = given.spec->name;
    const std::string& value = given.value;
    if (name == "--draws") {
      r.options.draws = true;
    } else if (name == "--summary") {
      r.options.summary = true;
    } else if (name == "--ticks") {
      long long n = 0;
      if (!ParseWholeNumber(value, 1'000'000'000'000LL, n))
        return fail("--ticks '" + value + "' is not a whole number from 0 to 1000000000000");
      r.options.ticks = n;
    } else if (name == "--credits") {
      long long n = 0;
      if (!ParseWholeNumber(value, kMaxStartingCredits, n))
        return fail("--credits '" + value + "' is not a whole number from 0 to " + std::to_string(kMaxStartingCredits));
      r.options.credits = n;
    } else if (name == "--video") {
      if (!VideoSupported())
        return fail(
            "--video: this build of marobel-sim has no video support (it was configured without FFmpeg's "
            "libraries)");
      if (!VideoFormatFor(value)) return fail("--video '" + value + "': the file name must end in .mp4 or .webm");
      r.options.videoFile = value;
    } else if (name == "--stats-lang") {
      if (value != "en" && value != "ja") return fail("--stats-lang '" + value + "' is neither en nor ja");
      r.options.statsInJapanese = value == "ja";
    } else if (name == "--fps") {
      long long n = 0;
      if (!ParseWholeNumber(value, 1000, n) ||
          std::find(std::begin(kFrameRates), std::end(kFrameRates), n) == std::end(kFrameRates))
        return fail("--fps '" + value + "' is not one of 5, 10, 15, 20, 30 and 60");
      r.options.framesPerSecond = static_cast<int>(n);
    } else {
      if (value.empty()) return fail("option " + name + " needs a non-empty value");
      for (const PathOption& path : kPaths)
        if (name == path.name) r.options.*path.field = value;
    }
  }
  // A snapshot carries its own credit count.
  if (r.options.credits && !r.options.loadSnapshotFile.empty())
    return fail("--credits cannot be used with --load-snapshot");
  return r;
}
