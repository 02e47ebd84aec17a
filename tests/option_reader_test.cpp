// The command-line conventions both programs share: what the reader takes
// and refuses, and the help and error texts as a terminal shows them.
#include <gtest/gtest.h>

#include <sstream>

#include "app/session/option_reader.h"
#include "app/session/shell_options.h"
#include "app/sim/options.h"

namespace {

constexpr OptionSpec kTable[] = {
    {"--count", "N", "how many"},
    {"--loud", nullptr, "make a noise"},
};
constexpr ForeignOption kToolkit[] = {{"-platform", true}, {"-reverse", false}};

TEST(OptionReader, TakesValuesBothWaysAndHandsTheToolkitItsOwn) {
  const OptionReading r = ReadOptions(
      {"-platform", "offscreen", "--count", "--loud", "-reverse", "-platform=xcb", "--loud"}, kTable, kToolkit);
  // A value may look like an option; the second --loud is the mistake.
  ASSERT_NE(r.Find("--count"), nullptr);
  EXPECT_EQ(r.Find("--count")->value, "--loud");
  EXPECT_EQ(r.foreign, (std::vector<std::string>{"-platform", "offscreen", "-reverse", "-platform=xcb"}));
  EXPECT_EQ(r.error, "");
  EXPECT_EQ(ReadOptions({"--count=7"}, kTable).options.at(0).value, "7");
  EXPECT_EQ(ReadOptions({"-platform"}, kTable, kToolkit).error, "option -platform needs a value");
  EXPECT_EQ(ReadOptions({"-platform", "x"}, kTable).error, "unknown option '-platform'") << "no toolkit, no pass";
}

TEST(OptionReader, RefusesMistakesButStillSeesHelpAndVersionAfterThem) {
  struct Case {
    std::vector<std::string> args;
    const char* error;
  } cases[] = {
      {{"--count", "1", "--count", "2"}, "option --count is given twice"},
      {{"--loud", "--loud"}, "option --loud is given twice"},
      {{"--loud=yes"}, "option --loud takes no value"},
      {{"--cou", "1"}, "unknown option '--cou'"},
      {{"-x"}, "unknown option '-x'"},
      {{"file"}, "unexpected argument 'file'"},
      {{"-"}, "unexpected argument '-'"},
      {{"--", "--loud"}, "unexpected argument '--loud'"},
      {{"--bad\x1b[2J"}, "unknown option '--bad\\x1b[2J'"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReadOptions(c.args, kTable).error, c.error) << c.args[0];
    std::vector<std::string> withHelp = c.args;
    if (withHelp.front() != "--") {
      withHelp.push_back("--help");
      const OptionReading helped = ReadOptions(withHelp, kTable);
      EXPECT_TRUE(helped.helpRequested) << c.args[0];
    }
  }
  // The first of the two wins; after "--" neither is an option.
  EXPECT_TRUE(ReadOptions({"--version", "-h"}, kTable).versionRequested);
  EXPECT_FALSE(ReadOptions({"--version", "-h"}, kTable).helpRequested);
  EXPECT_TRUE(ReadOptions({"--bogus", "-h", "--version"}, kTable).helpRequested);
  EXPECT_FALSE(ReadOptions({"--", "--help"}, kTable).helpRequested);
  EXPECT_TRUE(ReadOptions({"--help=x"}, kTable).error.find("takes no value") != std::string::npos);
  // A value missing at the end; a --help where a value is due is the value.
  EXPECT_EQ(ReadOptions({"--count"}, kTable).error, "option --count needs a value (N)");
  EXPECT_FALSE(ReadOptions({"--count", "--help"}, kTable).helpRequested);
}

TEST(OptionReader, BothProgramsRefuseARepeatedOptionAlike) {
  EXPECT_EQ(ParseShellOptions({"--trace", "a", "--trace=b"}).error, "option --trace is given twice");
  EXPECT_EQ(ParseSimOptions({"--trace", "a", "--trace=b"}).error, "option --trace is given twice");
  EXPECT_EQ(ParseShellOptions({"--summary", "--summary"}).error, "option --summary is given twice");
  EXPECT_EQ(ParseSimOptions({"--summary", "--summary"}).error, "option --summary is given twice");
  EXPECT_TRUE(ParseShellOptions({"--scale", "9", "--help"}).options.helpRequested);
  EXPECT_TRUE(ParseSimOptions({"--ticks", "x", "--version"}).versionRequested);
  const ShellOptionsResult qt = ParseShellOptions({"-style", "fusion", "--scale", "2"}, kToolkit);
  EXPECT_FALSE(qt.ok) << "-style is not among this toolkit's options";
  EXPECT_EQ(ShellUsageError("x"), "marobel: x\nTry 'marobel --help'.\n");
  EXPECT_EQ(SimUsageError("x"), "marobel-sim: x\nTry 'marobel-sim --help'.\n");
}

// Every line fits a terminal of 80 columns, every description starts in the
// same column, and --help and --version are listed.
void ExpectTidyHelp(const std::string& help, const char* program) {
  EXPECT_EQ(help.rfind("Usage: " + std::string(program) + " [OPTION]...\n", 0), 0u) << help;
  std::istringstream in(help);
  std::size_t column = 0;
  int optionLines = 0;
  for (std::string line; std::getline(in, line);) {
    EXPECT_LT(line.size(), 80u) << line;
    if (line.rfind("  -", 0) != 0 && line.rfind("      --", 0) != 0) continue;
    ++optionLines;
    const std::size_t gap = line.find("  ", 6);
    ASSERT_NE(gap, std::string::npos) << line;
    const std::size_t start = line.find_first_not_of(' ', gap);
    if (column == 0) column = start;
    EXPECT_EQ(start, column) << line;
  }
  EXPECT_GE(optionLines, 5);
  EXPECT_NE(help.find("\n  -h, --help "), std::string::npos);
  EXPECT_NE(help.find("\n      --version "), std::string::npos);
}

TEST(OptionReader, HelpTextsFitAndAlign) {
  ExpectTidyHelp(ShellUsage(), "marobel");
  ExpectTidyHelp(ShellUsage("A note long enough to need wrapping, because it goes on and on about the options "
                            "that a toolkit reads for itself."),
                 "marobel");
  ExpectTidyHelp(SimUsage(), "marobel-sim");
  const std::string help = OptionsHelp("p", "Does a thing.", kTable);
  EXPECT_NE(help.find("      --count N  how many\n      --loud     make a noise\n"), std::string::npos) << help;
}

}  // namespace
