// A game kept between sessions with --continue: closed and continued, or
// killed and continued, it is the one game the runner computes from the
// kept record; a damaged kept game is set aside, never lost or trusted.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "app/session/kept_game.h"
#include "app/session/game_session.h"
#include "cabinet/snapshot.h"
#include "tests/test_support.h"

namespace fs = std::filesystem;

namespace {

// A session of `ticks` ticks in the kept game of $XDG_STATE_HOME, the player
// pressing both lanes now and then; `copyAt` copies the kept files as they
// stand after that tick, as a kill would leave them.
struct Played {
  std::string trace, notice;
  long long firstTick = 0;
};
Played PlayKept(const fs::path& state, int ticks, const fs::path& copyAt = {}, int copyTick = 0,
                bool pressAtClose = false) {
  setenv("XDG_STATE_HOME", state.c_str(), 1);
  const std::string trace = WriteTempFile("kept.trace", "");
  Played played;
  {
    ShellOptions options;
    options.continueGame = true;
    options.traceFile = trace;
    GameSession session;
    std::string error;
    NullWindow window;
    EXPECT_NO_FATAL_FAILURE(StartGameSession(session, options, window));
    played.notice = session.Notice();
    played.firstTick = session.TicksRun();
    for (int t = 1; t <= ticks; ++t) {
      if (t % 7 == 3) session.PlayerKeyDown(0x27);
      if (t % 11 == 5) session.PlayerKeyDown(0x25);
      session.Tick(&window);
      if (!copyAt.empty() && t == copyTick)
        fs::copy(state / "marobel", copyAt / "marobel", fs::copy_options::recursive);
    }
    // A press in the last moment before the window closes: it belongs to a
    // tick that has not run.
    if (pressAtClose) session.PlayerKeyDown(0x25);
    EXPECT_TRUE(session.Close(error)) << error;
  }
  played.trace = Slurp(trace);
  return played;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::string RunnerTrace(const fs::path& state, long long ticks) {
  std::string out;
  EXPECT_EQ(
      RunSim("--ticks " + std::to_string(ticks) + " --trace - --keys " + (state / "marobel" / kKeptRecordName).string(),
             &out),
      0);
  return out;
}

fs::path FreshState(const char* name) {
  const fs::path dir = fs::temp_directory_path() / ("marobel-kept-" + std::to_string(::getpid()) + "-" + name);
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir;
}

TEST(KeptGame, ClosedAndContinuedIsTheRunnersGame) {
  const fs::path state = FreshState("closed");
  const Played a = PlayKept(state, 53);
  EXPECT_EQ(a.firstTick, 0);
  EXPECT_EQ(a.notice, "");
  const Played b = PlayKept(state, 30);
  EXPECT_EQ(b.firstTick, 53);
  EXPECT_EQ(b.notice, "");
  const Played c = PlayKept(state, 1600);  // crosses a periodic snapshot
  std::vector<std::string> joined = Lines(a.trace);
  for (const Played* p : {&b, &c}) {
    const auto more = Lines(p->trace);
    ASSERT_FALSE(more.empty());
    EXPECT_EQ(TraceField(more[0], "tick"), TraceField(joined.back(), "tick"));
    joined.insert(joined.end(), more.begin() + 1, more.end());
  }
  const auto runner = Lines(RunnerTrace(state, 1683));
  ASSERT_EQ(runner.size(), joined.size());
  for (std::size_t i = 0; i < runner.size(); ++i) ASSERT_EQ(runner[i], joined[i]) << "tick " << i;
  fs::remove_all(state);
}

TEST(KeptGame, APressJustBeforeTheCloseIsPlayedOnceWhenContinued) {
  const fs::path state = FreshState("press-at-close");
  const Played a = PlayKept(state, 64, {}, 0, true);
  const Played b = PlayKept(state, 30);
  EXPECT_EQ(b.notice, "");
  EXPECT_EQ(b.firstTick, 64);
  std::vector<std::string> joined = Lines(a.trace);
  const auto more = Lines(b.trace);
  ASSERT_FALSE(more.empty());
  joined.insert(joined.end(), more.begin() + 1, more.end());
  const auto runner = Lines(RunnerTrace(state, 94));
  ASSERT_EQ(runner.size(), joined.size());
  for (std::size_t i = 0; i < runner.size(); ++i) ASSERT_EQ(runner[i], joined[i]) << "tick " << i;
  fs::remove_all(state);
}

TEST(KeptGame, AKillLosesOnlyTheTicksAfterTheLastMarker) {
  const fs::path state = FreshState("live"), killed = FreshState("killed");
  PlayKept(state, 40);  // closed at a marked tick, marked again by the close
  // Killed after tick 40 + 57: the snapshot is tick 40's, the record goes on.
  EXPECT_EQ(PlayKept(state, 70, killed, 57).notice, "");
  const Played resumed = PlayKept(killed, 20);
  EXPECT_EQ(resumed.notice, "");
  EXPECT_GE(resumed.firstTick, 90) << "at most a marker period lost";
  EXPECT_LE(resumed.firstTick, 97);
  const auto runner = Lines(RunnerTrace(killed, resumed.firstTick + 20));
  const auto lines = Lines(resumed.trace);
  ASSERT_EQ(lines.size(), 21u);
  for (std::size_t i = 1; i < lines.size(); ++i) EXPECT_EQ(lines[i], runner[resumed.firstTick + i]) << i;
  fs::remove_all(state);
  fs::remove_all(killed);
}

TEST(KeptGame, ARefusedSnapshotOrATornLastLineLosesNoPlay) {
  struct Damage {
    const char* what;
    void (*harm)(const fs::path& folder);
  } damages[] = {
      {"truncated snapshot", [](const fs::path& f) { fs::resize_file(f / kKeptSnapshotName, 100); }},
      {"torn last line", [](const fs::path& f) { std::ofstream(f / kKeptRecordName, std::ios::app) << "480 ri"; }},
  };
  for (const Damage& d : damages) {
    const fs::path state = FreshState("rebuilt");
    PlayKept(state, 60);
    d.harm(state / "marobel");
    const Played resumed = PlayKept(state, 20);
    EXPECT_EQ(resumed.firstTick, 60) << d.what << ": " << resumed.notice;
    const auto runner = Lines(RunnerTrace(state, 80));
    const auto lines = Lines(resumed.trace);
    ASSERT_EQ(lines.size(), 21u) << d.what;
    for (std::size_t i = 1; i < lines.size(); ++i) EXPECT_EQ(lines[i], runner[60 + i]) << d.what << " " << i;
    fs::remove_all(state);
  }
}

// Gives one field of the record's last marker another value.
void DamageLastMarker(const fs::path& folder, const std::string& field, const std::string& value) {
  std::string record = Slurp((folder / kKeptRecordName).string());
  const auto marker = record.rfind("# tick ");
  const auto at = record.find(" " + field + " ", marker - 1) + field.size() + 2;
  record.replace(at, record.find_first_of(" \n", at) - at, value);
  std::ofstream(folder / kKeptRecordName, std::ios::binary) << record;
}

TEST(KeptGame, DamageIsReportedSetAsideAndANewGameStarts) {
  struct Damage {
    const char* what;
    void (*harm)(const fs::path& folder);
  } damages[] = {
      // The last marker, the close's, wrong in one field: the snapshot it
      // vouches for is set aside, and the record alone contradicts itself.
      {"marker's tick", [](const fs::path& f) { DamageLastMarker(f, "tick", "61"); }},
      {"marker's random state", [](const fs::path& f) { DamageLastMarker(f, "rand", "12345"); }},
      {"marker's credits", [](const fs::path& f) { DamageLastMarker(f, "credits", "9"); }},
      {"marker's presses", [](const fs::path& f) { DamageLastMarker(f, "presses", "1"); }},
      {"record gone", [](const fs::path& f) { fs::remove(f / kKeptRecordName); }},
  };
  for (const Damage& d : damages) {
    const fs::path state = FreshState("damaged");
    PlayKept(state, 60);
    d.harm(state / "marobel");
    const Played fresh = PlayKept(state, 5);
    EXPECT_EQ(fresh.firstTick, 0) << d.what;
    EXPECT_NE(fresh.notice.find("cannot be continued"), std::string::npos) << d.what << ": " << fresh.notice;
    EXPECT_EQ(fresh.notice.find('\n'), std::string::npos) << fresh.notice;
    int setAside = 0;
    for (const auto& entry : fs::directory_iterator(state / "marobel"))
      setAside += entry.path().filename().string().find(".set-aside-") != std::string::npos;
    EXPECT_GE(setAside, 1) << d.what;
    EXPECT_EQ(fresh.trace, RunnerTrace(state, 5)) << d.what << ": the new game is a new game from program start";
    fs::remove_all(state);
  }
}

TEST(KeptGame, ReadingRunsNoGame) {
  // Reading only reads the files: the session plays them into its own game.
  const fs::path state = FreshState("start");
  PlayKept(state, 30);
  ResetProgramState();
  const std::vector<std::uint8_t> start = SaveSnapshot();
  KeptGame kept;
  std::string reason;
  ASSERT_TRUE(ReadKeptGame((state / "marobel").string(), kept, reason)) << reason;
  EXPECT_EQ(kept.lastTick, 30);
  EXPECT_EQ(SaveSnapshot(), start);
  fs::remove_all(state);
}

TEST(KeptGame, OptionsAndMarkers) {
  EXPECT_FALSE(ParseShellOptions({"--continue", "--record", "r.keys"}).ok);
  EXPECT_FALSE(ParseShellOptions({"--continue", "--replay", "r.keys"}).ok);
  EXPECT_TRUE(ParseShellOptions({"--continue", "--trace", "t", "--credits", "100"}).ok);
  const auto markers = ReadTickMarkers(
      "# tick 10 rand 4 credits 7\n# tick 20 rand 5\n# tick x\n3 left\n"
      "# tick 30 rand 4294967295 credits 0\n");
  ASSERT_EQ(markers.size(), 2u);
  EXPECT_EQ(markers[1].tick, 30);
  EXPECT_EQ(markers[1].rand, 4294967295u);
  EXPECT_EQ(TickMarkerLine(markers[0]), "# tick 10 rand 4 credits 7");
  EXPECT_TRUE(ParseKeyScript(TickMarkerLine(markers[0])).ok) << "a marker is a comment to every reader";
}

}  // namespace
