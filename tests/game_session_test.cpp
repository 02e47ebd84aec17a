// The session a desktop window plays through: its options, the key record
// it writes, the replay it plays and the trace it keeps, checked against the
// headless runner, which must compute the same game from the record.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/session/key_script_file.h"
#include "app/session/shell_options.h"
#include "app/session/game_session.h"
#include "game/state.h"
#include "tests/test_support.h"

namespace {

TEST(ShellOptions, AcceptsEachOptionInBothFormsAndRejectsTheRest) {
  const auto good = ParseShellOptions({"--record", "r.keys", "--replay=p.keys", "--trace", "t.jsonl", "--summary"});
  ASSERT_TRUE(good.ok) << good.error;
  EXPECT_EQ(good.options.recordFile, "r.keys");
  EXPECT_EQ(good.options.replayFile, "p.keys");
  EXPECT_EQ(good.options.traceFile, "t.jsonl");
  EXPECT_TRUE(good.options.summaryRequested);
  EXPECT_FALSE(good.options.versionRequested);
  EXPECT_FALSE(good.options.helpRequested);
  EXPECT_TRUE(ParseShellOptions({"--summary", "--version", "--help"}).options.versionRequested);
  EXPECT_TRUE(ParseShellOptions({}).ok);
  EXPECT_TRUE(ParseShellOptions({"--record", "--trace"}).ok) << "a file may be named like an option";

  struct Case {
    std::vector<std::string> args;
    const char* mentions;
  } bad[] = {{{"--summary=yes"}, "--summary"},
             {{"--record"}, "--record"},
             {{"--trace="}, "--trace"},
             {{"--replay", ""}, "--replay"},
             {{"--version=1"}, "--version"},
             {{"--trace", "a", "--trace", "b"}, "twice"},
             {{"game.keys"}, "argument 'game.keys'"},
             {{"-record", "x"}, "'-record'"}};
  for (const Case& c : bad) {
    const auto r = ParseShellOptions(c.args);
    EXPECT_FALSE(r.ok) << c.mentions;
    EXPECT_NE(r.error.find(c.mentions), std::string::npos) << r.error;
    EXPECT_EQ(r.error.find('\n'), std::string::npos) << r.error;
  }
}

TEST(KeyRecord, EveryLineParsesBackToItsPress) {
  const KeyPress presses[] = {{1, 0x25}, {1, 0x27}, {7, 0x41}, {12, 0}, {99999, 0xFFFF}, {3000000000LL, 0x26}};
  std::string script;
  for (const KeyPress& p : presses) script += KeyScriptLine(p) + "\n";
  EXPECT_EQ(script.substr(0, 15), "1 left\n1 right\n");
  const KeyScriptResult back = ParseKeyScript(script);
  ASSERT_TRUE(back.ok) << back.errorReason;
  ASSERT_EQ(back.presses.size(), std::size(presses));
  for (std::size_t i = 0; i < back.presses.size(); ++i) {
    EXPECT_EQ(back.presses[i].tick, presses[i].tick);
    EXPECT_EQ(back.presses[i].virtualKey, presses[i].virtualKey);
  }
}

// A game session with a replay and the player's own presses, during the
// replay and after it: the record holds what reached the game, and the
// runner given that record writes the session's trace byte for byte.
TEST(GameSession, RecordAndTraceMatchTheRunnerAcrossAReplayAndTheTakeover) {
  const std::string script = WriteTempFile("replay.keys", "# a short game\n2 right\n5 left\n5 right\n9 65\n9 left\n");
  const std::string record = WriteTempFile("session.keys", "");
  const std::string trace = WriteTempFile("session.trace", "");
  std::string summary;
  {
    ShellOptions options;
    options.replayFile = script;
    options.recordFile = record;
    options.traceFile = trace;
    GameSession session;
    std::string error;
    NullWindow window;
    ASSERT_NO_FATAL_FAILURE(StartGameSession(session, options, window));
    EXPECT_EQ(std::make_pair(window.timerId, window.timerPeriod), std::make_pair(1, 200)) << "the clock it asks for";
    session.PlayerKeyDown(0x27);  // before tick 1, while the replay runs: dropped
    for (int tick = 1; tick <= 40; ++tick) {
      EXPECT_EQ(session.ReplayRunning(), tick <= 9) << tick;
      // Dropped: the replay still has presses to play, tick 9's among them.
      if (tick == 6 || tick == 9) session.PlayerKeyDown(0x25);
      if (tick == 10 || tick == 15) {  // taken: the replay's last press came before tick 9
        session.PlayerKeyDown(0x25);
        session.PlayerKeyDown(0x20);
      }
      session.Tick(&window);
    }
    EXPECT_EQ(session.TicksRun(), 40);
    summary = session.SummaryText();
    ASSERT_TRUE(session.Close(error)) << error;
  }

  std::vector<KeyPress> recorded;
  std::string error;
  ASSERT_TRUE(LoadKeyScript(record, recorded, error)) << error;
  const std::vector<std::pair<long long, int>> expected = {{2, 0x27},  {5, 0x25},  {5, 0x27},  {9, 65},   {9, 0x25},
                                                           {10, 0x25}, {10, 0x20}, {15, 0x25}, {15, 0x20}};
  ASSERT_EQ(recorded.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i)
    EXPECT_EQ(std::make_pair(recorded[i].tick, recorded[i].virtualKey), expected[i]) << i;

  std::string runner;
  ASSERT_EQ(RunSim("--ticks 40 --trace - --keys " + record, &runner), 0);
  const std::string session = Slurp(trace);
  EXPECT_EQ(session, runner);
  EXPECT_EQ(std::count(session.begin(), session.end(), '\n'), 41);
  EXPECT_NE(session.find("\"coin.wav\""), std::string::npos) << "the sounds are traced";

  std::string runnerSummary;
  ASSERT_EQ(RunSim("--ticks 40 --trace /dev/null --summary --keys " + record, &runnerSummary), 0);
  EXPECT_EQ(summary, runnerSummary) << "the window's account of the session is the runner's";
}

// Free play: the record's first line names the starting credits, so the
// runner (and a replay in the window) plays the same game from the record
// alone, and the accounts say the credits were given, not won.
TEST(GameSession, FreePlayRecordNamesItsCreditsAndReplaysAnywhere) {
  const auto parsed = ParseShellOptions({"--credits", "1000", "--record", WriteTempFile("free.keys", "")});
  ASSERT_TRUE(parsed.ok) << parsed.error;
  for (const char* bad : {"--credits=1000000001", "--credits=-5", "--credits=12x"})
    EXPECT_NE(ParseShellOptions({bad}).error.find("--credits"), std::string::npos) << bad;
  const std::string trace = WriteTempFile("free.trace", "");
  std::string summary;
  {
    ShellOptions options = parsed.options;
    options.traceFile = trace;
    GameSession session;
    std::string error;
    NullWindow window;
    ASSERT_NO_FATAL_FAILURE(StartGameSession(session, options, window));
    EXPECT_EQ(game.credits, 1000);
    for (int tick = 1; tick <= 30; ++tick) {
      for (int k = 0; k < 3; ++k) session.PlayerKeyDown(tick % 2 ? 0x25 : 0x27);
      session.Tick(&window);
    }
    summary = session.SummaryText();
    ASSERT_TRUE(session.Close(error)) << error;
  }
  const std::string record = parsed.options.recordFile;
  EXPECT_EQ(Slurp(record).rfind("# credits 1000\n", 0), 0u) << Slurp(record);
  EXPECT_NE(summary.find("free play             started with 1000 credits"), std::string::npos) << summary;

  std::string runner, runnerSummary;
  ASSERT_EQ(RunSim("--ticks 30 --trace - --keys " + record, &runner), 0);
  EXPECT_EQ(Slurp(trace), runner);
  ASSERT_EQ(RunSim("--ticks 30 --trace /dev/null --summary --keys " + record, &runnerSummary), 0);
  EXPECT_EQ(summary, runnerSummary);
  EXPECT_EQ(RunSim("--ticks 30 --credits 1000 --trace /dev/null --keys " + record, nullptr), 0);
  EXPECT_EQ(RunSim("--ticks 30 --credits 24 --trace /dev/null --keys " + record, nullptr), 2) << "contradicts";

  ShellOptions replay;
  replay.replayFile = record;
  GameSession again;
  std::string error;
  ASSERT_TRUE(again.Open(replay, error)) << error;
  replay.credits = 5;
  GameSession contradicted;
  EXPECT_FALSE(contradicted.Open(replay, error));
  EXPECT_NE(error.find("free-play game from 1000 credits"), std::string::npos) << error;

  // Only a first line of exactly that form sets credits; other comments stay comments.
  EXPECT_FALSE(ParseKeyScript("# credits are given\n1 left\n").startingCredits);
  EXPECT_FALSE(ParseKeyScript("1 left\n# credits 5\n").startingCredits);
  EXPECT_EQ(ParseKeyScript("  #  credits 007 \n").startingCredits, 7);
  EXPECT_EQ(ParseKeyScript("# credits 1000000001\n").errorLine, 1);
}

// A replay watched faster runs the tick timer faster until its last press,
// then hands the player the game at the normal pace; the game is the same.
TEST(GameSession, ReplaySpeedChangesOnlyTheClock) {
  const std::string script = WriteTempFile("fast.keys", "3 right\n6 left\n");
  for (const auto& [speed, period] : {std::pair{"4", 50}, {"16", 12}, {"max", 1}, {"1", 200}}) {
    const auto parsed = ParseShellOptions({"--replay", script, "--replay-speed", speed});
    ASSERT_TRUE(parsed.ok) << parsed.error;
    GameSession session;
    std::string error;
    NullWindow window;
    ASSERT_NO_FATAL_FAILURE(StartGameSession(session, parsed.options, window));
    EXPECT_EQ(window.timerPeriod, period) << speed;
    for (int tick = 1; tick <= 5; ++tick) session.Tick(&window);
    EXPECT_EQ(window.timerPeriod, period) << speed << ": the replay still runs";
    session.Tick(&window);
    EXPECT_EQ(window.timerPeriod, 200) << speed << ": the player's game runs at its own pace";
  }
  EXPECT_FALSE(ParseShellOptions({"--replay-speed", "4"}).ok) << "without --replay";
  EXPECT_FALSE(ParseShellOptions({"--replay", script, "--replay-speed", "2"}).ok);
}

// A skip lists no drawing for the ticks nobody sees, yet ends on the same
// game and the same picture as ticking one by one, in slices or at once.
TEST(GameSession, RunUntilEndsOnTheSamePictureAsTickingThrough) {
  const std::string script = WriteTempFile("skip.keys", "3 right\n40 left\n90 right\n");
  std::vector<std::uint32_t> pictures[2];
  std::string traces[2];
  for (int way = 0; way < 2; ++way) {
    const auto parsed = ParseShellOptions({"--replay", script});
    ASSERT_TRUE(parsed.ok) << parsed.error;
    GameSession session;
    NullWindow window;
    ASSERT_NO_FATAL_FAILURE(StartGameSession(session, parsed.options, window));
    session.KeepTraceLine(false);
    if (way == 0) {
      for (int tick = 1; tick <= 150; ++tick) session.Tick(&window);
    } else {
      while (session.TicksRun() < 150) session.RunUntil(150, &window, 64);
    }
    EXPECT_GT(session.TickDisplayList().calls.size(), 100u) << "way " << way;
    const GameSession::FrameView frame = session.Frame();
    pictures[way].assign(frame.pixels, frame.pixels + frame.width * frame.height);
    traces[way] = session.TraceLine();
  }
  EXPECT_EQ(traces[0], traces[1]);
  EXPECT_TRUE(pictures[0] == pictures[1]) << "the skipped game's last picture differs";
}

TEST(GameSession, OpenFailsWithTheRunnersMessageAndCreatesNothing) {
  const std::string bad = WriteTempFile("bad-replay.keys", "3 right\n2 left\n");
  const std::string record = (std::filesystem::temp_directory_path() / "marobel-never-created.keys").string();
  std::filesystem::remove(record);
  struct Case {
    std::string replay, trace, message;
  } cases[] = {{bad, "", bad + ":2: tick 2 comes after tick 3"},
               {"/nonexistent/x.keys", "", "/nonexistent/x.keys: cannot read the key script"},
               {"", "/nonexistent/dir/t.jsonl", "/nonexistent/dir/t.jsonl: cannot open the trace file"}};
  for (const Case& c : cases) {
    ShellOptions options;
    options.replayFile = c.replay;
    options.traceFile = c.trace;
    options.recordFile = record;
    GameSession session;
    std::string error;
    EXPECT_FALSE(session.Open(options, error));
    EXPECT_EQ(error.rfind(c.message, 0), 0u) << error;
    EXPECT_FALSE(std::filesystem::exists(record)) << "nothing is recorded for a session that does not start";
  }
}

TEST(GameSession, NoRecordIsWrittenOverTheScriptOrTheTrace) {
  const std::string text = "2 right\n";
  const std::string script = WriteTempFile("kept.keys", text);
  const std::filesystem::path path(script);
  const std::string sameByAnotherName = (path.parent_path() / "." / path.filename()).string();
  const std::string other = WriteTempFile("other.trace", "");
  struct Case {
    std::string replay, record, trace, message;
  } cases[] = {{script, script, "", script + ": --replay and --record name the same file"},
               {script, "", sameByAnotherName, sameByAnotherName + ": --replay and --trace name the same file"},
               {"", other, other, other + ": --record and --trace name the same file"}};
  for (const Case& c : cases) {
    ShellOptions options;
    options.replayFile = c.replay;
    options.recordFile = c.record;
    options.traceFile = c.trace;
    GameSession session;
    std::string error;
    EXPECT_FALSE(session.Open(options, error));
    EXPECT_EQ(error, c.message);
    EXPECT_EQ(Slurp(script), text);
  }
}

TEST(GameSession, AFileThatCannotBeWrittenIsReportedAtClose) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  ShellOptions options;
  options.traceFile = "/dev/full";
  options.recordFile = WriteTempFile("fine.keys", "");
  GameSession session;
  std::string error;
  NullWindow window;
  ASSERT_NO_FATAL_FAILURE(StartGameSession(session, options, window));
  session.Tick(&window);
  EXPECT_FALSE(session.Close(error));
  EXPECT_EQ(error, "/dev/full: the trace could not be written completely");
}

}  // namespace
