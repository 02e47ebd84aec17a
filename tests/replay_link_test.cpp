// The key scripts replay links carry, as the page hands them over once the
// browser has unpacked them.
#include <gtest/gtest.h>

#include <chrono>
#include <limits>
#include <string>
#include <vector>

#include "app/session/replay_link.h"

namespace {

// A script read whole, as a short link's is.
ReplayLinkResult Read(std::string script) {
  ReplayScriptReader reader(std::move(script));
  while (reader.Step(std::numeric_limits<std::size_t>::max())) {
  }
  return reader.Finish();
}

std::string LongGame() {
  std::vector<KeyPress> presses;
  for (long long tick = 1; tick < 18000; tick += 1 + tick % 7) presses.push_back({tick, tick % 3 ? 0x25 : 0x27});
  return ReplayScript(presses, 1000);
}

TEST(ReplayLink, ALongGameReadsBackAsItsScript) {
  const std::string script = LongGame();
  const ReplayLinkResult r = Read(script);
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.script, script);
  EXPECT_EQ(r.keys.startingCredits, 1000);
  EXPECT_GT(r.keys.presses.size(), 4000u);
}

TEST(ReplayLink, TheScriptOfAGameReadsBackAsThatGame) {
  const std::vector<KeyPress> presses = {{1, 0x25}, {1, 0x27}, {40, 0x20}, {18000, 0x25}};
  for (const std::optional<long long> credits : {std::optional<long long>(), std::optional<long long>(10000)}) {
    const KeyScriptResult back = ParseKeyScript(ReplayScript(presses, credits));
    ASSERT_TRUE(back.ok);
    EXPECT_EQ(back.startingCredits, credits);
    ASSERT_EQ(back.presses.size(), presses.size());
    for (std::size_t i = 0; i < presses.size(); ++i) {
      EXPECT_EQ(back.presses[i].tick, presses[i].tick);
      EXPECT_EQ(back.presses[i].virtualKey, presses[i].virtualKey);
    }
  }
}

TEST(ReplayLink, TextThatIsNotAKeyScriptIsRefused) {
  const ReplayLinkResult markup = Read("1 left\n<img src=x onerror=alert(1)>\n");
  EXPECT_FALSE(markup.ok);
  EXPECT_NE(markup.error.find("line 2"), std::string::npos) << markup.error;
  EXPECT_TRUE(markup.keys.presses.empty());
  // The page's links carry no comments but a free-play game's credits line.
  const ReplayLinkResult comment = Read("3 right\n# <script>alert(1)</script>\n");
  EXPECT_FALSE(comment.ok);
  EXPECT_NE(comment.error.find("line 2: a comment"), std::string::npos) << comment.error;
  EXPECT_FALSE(Read("# credits 100 <b>\n1 left\n").ok);
  EXPECT_FALSE(Read("1 left # press\n").ok);
  EXPECT_TRUE(Read("# credits 100\n1 left\n").ok);
  EXPECT_FALSE(Read("# credits 2000000000\n1 left\n").ok);
}

// The same script read whole and in slices of every size: the same game,
// or the same refusal on the same line.
TEST(ReplayLink, ReadingInSlicesGivesWhatReadingWholeGives) {
  const std::vector<std::string> scripts = {
      "# credits 300\n1 left\n1 right\n40 32\n\n90 left\n# ticks 95\n",
      "1 left\n5 right\n# ticks 5\n\n",
      "# ticks 0\n",
      "",
      "1 left\n7 right\n3 left\n",
      // Both a tick going back and an unknown key: the tick is what is wrong.
      "1 left\n7 right\n3 leleft\n",
      "1 left\n2 right\n# ticks 1\n",
      "1 left\n# ticks 9\n12 right\n",
      "1 left\n# a note\n",
      "1 left\n2 left\n# credits 5\n",
      "5 right\n# ticks 99999999999999999999\n",
      "5 right\n" + std::string(300, ' ') + "\n9 left\n",
      "5 right\n" + std::string(300, ' ') + "\n# a note\n",
      "5 right\nwrong\n" + std::string(300, ' ') + "\n",
      std::string(kMaxReplayLineChars, ' ') + "\n5 left\n",
      // A credits line after the first is a comment, in whichever slice.
      "\n\n# credits 99999999999999\nwrong\n",
  };
  for (const std::string& script : scripts) {
    ReplayScriptReader whole(script);
    while (whole.Step(std::numeric_limits<std::size_t>::max())) {
    }
    const ReplayLinkResult expected = whole.Finish();
    for (std::size_t slice : {1, 2, 5, 9, 17}) {
      ReplayScriptReader reader(script);
      double progress = 0;
      while (reader.Step(slice)) {
        EXPECT_GE(reader.Progress(), progress);
        progress = reader.Progress();
      }
      const ReplayLinkResult r = reader.Finish();
      EXPECT_EQ(r.ok, expected.ok) << script;
      EXPECT_EQ(r.error, expected.error) << script << " in slices of " << slice;
      EXPECT_EQ(r.endTick, expected.endTick) << script;
      ASSERT_EQ(r.keys.presses.size(), expected.keys.presses.size()) << script;
      for (std::size_t i = 0; i < r.keys.presses.size(); ++i)
        EXPECT_EQ(r.keys.presses[i].tick, expected.keys.presses[i].tick);
    }
  }
}

TEST(ReplayLink, ALinkEndsAtTheTickItWasSharedAt) {
  const std::vector<KeyPress> presses = {{3, 0x25}, {150, 0x27}};
  const ReplayLinkResult shared = Read(ReplayScript(presses, 500, 155));
  ASSERT_TRUE(shared.ok) << shared.error;
  EXPECT_EQ(shared.endTick, 155);
  EXPECT_EQ(shared.keys.startingCredits, 500);
  EXPECT_EQ(shared.keys.presses.size(), 2u);
  // Older links end at their last press.
  EXPECT_FALSE(Read(ReplayScript(presses, std::nullopt)).endTick);
  // Shared before its last press, or with a press after: no game of the page's.
  const ReplayLinkResult early = Read("3 left\n150 right\n# ticks 149\n");
  EXPECT_FALSE(early.ok);
  EXPECT_NE(early.error.find("before its last press"), std::string::npos) << early.error;
  EXPECT_NE(Read("3 left\n# ticks 9\n12 right\n").error.find("line 3"), std::string::npos);
  EXPECT_FALSE(Read("3 left\n# ticks 9\n# ticks 10\n").ok);
  EXPECT_FALSE(Read("3 left\n# ticks -4\n").ok);
  // Megabytes of blanks on one line are refused, not parsed.
  const ReplayLinkResult blanks = Read("3 left\n" + std::string((8u << 20) - 100, ' '));
  EXPECT_NE(blanks.error.find("line 2: a line longer"), std::string::npos) << blanks.error;
}

// A long game's script is read in one pass: each line is
// looked at once, however many follow it.
TEST(ReplayLink, ALongGameReadsInTimeProportionalToItsLength) {
  std::vector<KeyPress> presses;
  for (long long tick = 1; presses.size() < 250'000; tick += 1 + tick % 3) presses.push_back({tick, 0x25});
  const auto begin = std::chrono::steady_clock::now();
  const ReplayLinkResult r = Read(ReplayScript(presses, std::nullopt, presses.back().tick + 5));
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.keys.presses.size(), presses.size());
  EXPECT_LT(seconds, 10.0);
}

}  // namespace
