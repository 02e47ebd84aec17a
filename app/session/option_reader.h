#pragma once
#include <span>
#include <string>
#include <string_view>
#include <vector>

// How every program of the game reads its command line, by the GNU
// conventions: long options as "--name VALUE" or "--name=VALUE"; "--help"
// (also "-h") and "--version" honoured wherever they stand, even after a
// mistake; "--" ends the options; an option given twice is refused; and the
// help lists every option in aligned columns under 80. Each program's table
// says which options it knows; what their values mean is its own business.

struct OptionSpec {
  const char* name;       // "--ticks"
  const char* valueName;  // "N", "FILE"; nullptr for an option that takes none
  const char* help;       // what it does, one sentence the help text wraps
};

// A toolkit's own option ("-platform NAME") that the program hands on to
// the toolkit untouched instead of reading it.
struct ForeignOption {
  const char* name;
  bool takesValue;
};

struct OptionGiven {
  const OptionSpec* spec;
  std::string value;  // empty for an option without a value
};

struct OptionReading {
  bool helpRequested = false;        // the first of --help and --version given
  bool versionRequested = false;     // wins; the other is ignored
  std::vector<OptionGiven> options;  // in the order given, each at most once
  std::vector<std::string> foreign;  // the toolkit's options, values included
  std::string error;                 // the first mistake, one printable line; empty if none

  const OptionGiven* Find(std::string_view name) const;
};

OptionReading ReadOptions(const std::vector<std::string>& args, std::span<const OptionSpec> options,
                          std::span<const ForeignOption> foreign = {});

// The help: "Usage: PROGRAM [OPTION]...", the summary, then every option of
// the table and --help and --version, each line shorter than 80 columns.
// An optional note follows the options as a paragraph of its own.
std::string OptionsHelp(std::string_view program, std::string_view summary, std::span<const OptionSpec> options,
                        std::string_view note = {});

// What a program prints for a mistake on its command line: the mistake and
// the way to the help, each line ending in a newline.
std::string OptionsErrorText(std::string_view program, std::string_view error);
