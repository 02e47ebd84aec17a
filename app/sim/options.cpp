#include "app/sim/options.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>

#include "app/session/key_script.h"
#include "app/session/option_word.h"
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

}  // namespace

const char* SimUsage() {
  return "usage: marobel-sim [--ticks N] [--keys FILE] [--credits N] [--trace FILE]\n"
         "                   [--draws] [--frames DIR] [--assets DIR]\n"
         "                   [--video FILE] [--summary] [--summary-json FILE] [--version]\n"
         "                   [--save-snapshot FILE] [--load-snapshot FILE]\n"
         "\n"
         "  --ticks N            game ticks after the creation reset (default 100)\n"
         "  --keys FILE          key presses to deliver, one 'TICK KEY' a line\n"
         "  --credits N          set the credit count after the reset (0 to 1000000000)\n"
         "  --trace FILE         write the JSON Lines trace to FILE; - is standard output (default)\n"
         "  --draws              add each tick's drawing calls to the trace\n"
         "  --frames DIR         write each tick's frame as DIR/frame-NNNNNN.png\n"
         "  --assets DIR         where the picture and sound files are (default: here)\n"
         "  --video FILE         render the run as a video (.mp4 or .webm)\n"
         "  --summary            print an account of the session when the run ends: on\n"
         "                       standard output, or standard error when the trace goes there\n"
         "  --summary-json FILE  write the same account as one JSON object to FILE\n"
         "  --version            print the version and exit\n"
         "  --save-snapshot FILE write the whole game state to FILE after the last tick\n"
         "  --load-snapshot FILE start from FILE's state instead of the creation reset;\n"
         "                       ticks count on from the snapshot's tick, presses up to\n"
         "                       it are skipped (not with --credits)\n";
}

SimOptionsResult ParseSimOptions(const std::vector<std::string>& args) {
  SimOptionsResult r;
  auto fail = [&](const std::string& message) {
    r.ok = false;
    // Arguments are quoted in the message; it must stay one printable line.
    r.error = PrintableExcerpt(message);
    return r;
  };
  for (std::size_t i = 0; i < args.size(); ++i) {
    const OptionWord word = SplitOption(args[i]);
    const std::string& name = word.name;
    if (name == "--help" || name == "-h") {
      r.helpRequested = true;
      return r;
    }
    if (name == "--version") {
      r.versionRequested = true;
      return r;
    }
    if (name == "--draws" || name == "--summary") {
      if (word.inlineValue) return fail("option " + name + " takes no value");
      (name == "--draws" ? r.options.draws : r.options.summary) = true;
      continue;
    }
    const bool takesValue = name == "--ticks" || name == "--keys" || name == "--credits" || name == "--trace" ||
                            name == "--frames" || name == "--assets" || name == "--video" || name == "--summary-json" ||
                            name == "--save-snapshot" || name == "--load-snapshot";
    if (!takesValue) return fail("unknown option '" + args[i] + "'");
    const std::optional<std::string> given = OptionValue(word, args, i);
    if (!given) return fail("option " + name + " needs a value");
    const std::string& value = *given;
    if (name == "--ticks") {
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
    } else {
      if (value.empty()) return fail("option " + name + " needs a non-empty value");
      if (name == "--keys")
        r.options.keysFile = value;
      else if (name == "--trace")
        r.options.traceFile = value;
      else if (name == "--frames")
        r.options.framesDir = value;
      else if (name == "--summary-json")
        r.options.summaryJsonFile = value;
      else if (name == "--save-snapshot")
        r.options.saveSnapshotFile = value;
      else if (name == "--load-snapshot")
        r.options.loadSnapshotFile = value;
      else
        r.options.assetsDir = value;
    }
  }
  // A snapshot carries its own credit count.
  if (r.options.credits && !r.options.loadSnapshotFile.empty())
    return fail("--credits cannot be used with --load-snapshot");
  return r;
}
