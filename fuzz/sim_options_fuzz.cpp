// libFuzzer target: any command line offered to the headless runner, as the
// arguments between NUL bytes (a NUL cannot occur inside an argument). A
// rejected command line gets one printable line naming the problem; an
// accepted one keeps every number in its documented range, takes every file
// name from the command line, and reads the same when written out again,
// with separate or with inline (`--name=value`) values. `--help` first is
// always honoured.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/sim/options.h"

namespace {

// The documented ranges of the runner's numbers.
constexpr long long kMaxTicks = 1'000'000'000'000LL;
constexpr long long kMaxCredits = 1'000'000'000LL;

// Names the broken property on stderr before libFuzzer keeps the input.
void Check(bool condition, const char* property) {
  if (condition) return;
  std::fprintf(stderr, "property broken: %s\n", property);
  std::abort();
}

// Defaults stand; anything else was written on the command line, either as
// an argument of its own or after an `=`.
bool DefaultOrGiven(const std::string& value, const std::string& byDefault, const std::vector<std::string>& args) {
  if (value == byDefault) return true;
  for (const std::string& a : args)
    if (a == value || (a.size() > value.size() && a.compare(a.size() - value.size(), value.size(), value) == 0 &&
                       a[a.size() - value.size() - 1] == '='))
      return true;
  return false;
}

std::vector<std::string> Written(const SimOptions& o, bool inlineValues) {
  std::vector<std::string> args;
  auto add = [&](const char* name, const std::string& value) {
    if (inlineValues) {
      args.push_back(std::string(name) + "=" + value);
    } else {
      args.push_back(name);
      args.push_back(value);
    }
  };
  // Zero-padded numbers are the same whole numbers.
  const std::string padding = inlineValues ? "000000000000000000000000" : "";
  add("--ticks", padding + std::to_string(o.ticks));
  if (o.credits) add("--credits", padding + std::to_string(*o.credits));
  add("--trace", o.traceFile);
  if (!o.keysFile.empty()) add("--keys", o.keysFile);
  if (!o.framesDir.empty()) add("--frames", o.framesDir);
  if (!o.assetsDir.empty()) add("--assets", o.assetsDir);
  if (!o.saveSnapshotFile.empty()) add("--save-snapshot", o.saveSnapshotFile);
  if (!o.loadSnapshotFile.empty()) add("--load-snapshot", o.loadSnapshotFile);
  if (o.draws) args.push_back("--draws");
  return args;
}

bool Same(const SimOptions& a, const SimOptions& b) {
  return a.ticks == b.ticks && a.credits == b.credits && a.traceFile == b.traceFile && a.keysFile == b.keysFile &&
         a.framesDir == b.framesDir && a.assetsDir == b.assetsDir && a.draws == b.draws &&
         a.saveSnapshotFile == b.saveSnapshotFile && a.loadSnapshotFile == b.loadSnapshotFile;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> args;
  if (size > 0) {
    args.emplace_back();
    for (std::size_t i = 0; i < size; ++i) {
      if (data[i] == 0)
        args.emplace_back();
      else
        args.back() += static_cast<char>(data[i]);
    }
  }

  // Help asked for first is given, whatever follows.
  std::vector<std::string> help = {"--help"};
  help.insert(help.end(), args.begin(), args.end());
  Check(ParseSimOptions(help).helpRequested, "--help is honoured");

  const SimOptionsResult r = ParseSimOptions(args);
  if (!r.ok) {
    Check(!r.helpRequested, "a rejected command line asks for nothing");
    Check(!r.error.empty(), "a rejection says why");
    for (char c : r.error) Check(static_cast<unsigned char>(c) >= 0x20 && c != 0x7F, "the error is one printable line");
    return 0;
  }
  Check(r.error.empty(), "an accepted command line has no error");
  // Help and the version end the command line where they stand: the options
  // before them are read but never used, so they owe no consistency.
  if (r.helpRequested || r.versionRequested) return 0;

  const SimOptions& o = r.options;
  const SimOptions byDefault;
  Check(o.ticks >= 0 && o.ticks <= kMaxTicks, "ticks in range");
  Check(!o.credits || (*o.credits >= 0 && *o.credits <= kMaxCredits), "credits in range");
  Check(!o.traceFile.empty(), "a trace goes somewhere");
  Check(DefaultOrGiven(o.traceFile, byDefault.traceFile, args), "the trace file is the given one");
  Check(DefaultOrGiven(o.keysFile, byDefault.keysFile, args), "the key script is the given one");
  Check(DefaultOrGiven(o.framesDir, byDefault.framesDir, args), "the frames folder is the given one");
  Check(DefaultOrGiven(o.assetsDir, byDefault.assetsDir, args), "the assets folder is the given one");
  Check(DefaultOrGiven(o.saveSnapshotFile, byDefault.saveSnapshotFile, args), "the snapshot saved is the given one");
  Check(DefaultOrGiven(o.loadSnapshotFile, byDefault.loadSnapshotFile, args), "the snapshot loaded is the given one");
  Check(!o.credits || o.loadSnapshotFile.empty(), "a snapshot brings its own credits");

  for (bool inlineValues : {false, true}) {
    const SimOptionsResult again = ParseSimOptions(Written(o, inlineValues));
    Check(again.ok && !again.helpRequested && Same(again.options, o), "the options written out read back the same");
  }
  return 0;
}
