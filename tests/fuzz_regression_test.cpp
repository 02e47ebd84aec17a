// Inputs the key-script and runner-option fuzzers turned up, kept as cases:
// errors that quote what the user wrote must stay one short printable line,
// and zero-padded numbers are the numbers they spell.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/session/key_script.h"
#include "app/session/printable_text.h"
#include "app/sim/options.h"

namespace {

bool PrintableLine(const std::string& text) {
  for (char c : text)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return false;
  return true;
}

TEST(PrintableExcerpt, EscapesControlBytesAndMarksWhatIsCut) {
  struct Case {
    std::string text;
    std::size_t max;
    std::string expected;
  } cases[] = {
      {"plain words", 100, "plain words"},
      {std::string("a\0b", 3), 100, "a\\x00b"},
      {"\x1b[2J\n\r\t\x7f", 100, "\\x1b[2J\\x0a\\x0d\\x09\\x7f"},
      {"caf\xc3\xa9", 100, "caf\xc3\xa9"},
      {"abcdef", 3, "abc..."},
      {"abc", 3, "abc"},
  };
  for (const Case& c : cases) EXPECT_EQ(PrintableExcerpt(c.text, c.max), c.expected) << c.expected;
}

TEST(KeyScript, ErrorsQuoteWordsAsOneShortPrintableLine) {
  const std::string longWord(100000, 'z');
  struct Case {
    std::string text;
    int line;
  } cases[] = {
      {"5 right\n\x19", 2},  // the fuzzer's first find: a lone control byte as the tick
      {std::string("5 ri\0ght\n", 9), 1},
      {"5 \x1b[31mred\n", 1},
      {"5 right \x01\n", 1},
      {"1 left\n2 " + longWord + "\n", 2},
      {longWord + " right\n", 1},
      {"1 0x" + longWord + "\n", 1},
  };
  for (const Case& c : cases) {
    const auto r = ParseKeyScript(c.text);
    ASSERT_FALSE(r.ok);
    EXPECT_EQ(r.errorLine, c.line);
    EXPECT_TRUE(PrintableLine(r.errorReason)) << r.errorReason;
    EXPECT_LE(r.errorReason.size(), 256u) << r.errorReason;
  }
}

TEST(KeyScript, ZeroPaddedTicksAndCodesAreTheirValues) {
  const auto r = ParseKeyScript(
      "000000000000000000000000007 right\n8 0x000000000000000000000000025\n"
      "9 00000000000000000000000000065\n");
  ASSERT_TRUE(r.ok) << r.errorReason;
  ASSERT_EQ(r.presses.size(), 3u);
  EXPECT_EQ(r.presses[0].tick, 7);
  EXPECT_EQ(r.presses[1].virtualKey, 0x25);
  EXPECT_EQ(r.presses[2].virtualKey, 65);
  // Padding does not hide a value out of range.
  EXPECT_FALSE(ParseKeyScript("1 0000000000000000000000065536\n").ok);
  EXPECT_FALSE(ParseKeyScript("0000000000000000000000000 right\n").ok);
}

TEST(SimOptions, ErrorsStayOnePrintableLineAndPaddedNumbersCount) {
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"--bogus\nsecond line"}, {"\x1b[2J"}, {"--ticks", "5\n"}, {"--credits=\x7f"}, {"--draws=\t"}}) {
    const auto r = ParseSimOptions(args);
    ASSERT_FALSE(r.ok) << args[0];
    EXPECT_TRUE(PrintableLine(r.error)) << r.error;
  }
  const auto padded = ParseSimOptions({"--ticks", "0000000000000000000000000012", "--credits=00000000000000000000000"});
  ASSERT_TRUE(padded.ok) << padded.error;
  EXPECT_EQ(padded.options.ticks, 12);
  EXPECT_EQ(*padded.options.credits, 0);
  EXPECT_FALSE(ParseSimOptions({"--credits", "00000000000000000001000000001"}).ok);
}

}  // namespace
