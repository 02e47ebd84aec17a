// The controls every shell shares: their keys, settings and language, the
// pause, and the games a window keeps one after another. None of them may
// change the game: a paused game is the game of the same presses unpaused.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>

#include "app/session/game_session.h"
#include "app/session/shell_commands.h"
#include "app/session/shell_settings.h"
#include "tests/test_support.h"

namespace fs = std::filesystem;

namespace {

constexpr int kLeft = 0x25, kRight = 0x27;

TEST(ShellControls, KeysAndLanguage) {
  namespace cmd = shell_command;
  EXPECT_EQ(ShellCommandForKey('P', false, false), cmd::kPause);
  EXPECT_EQ(ShellCommandForKey(0x13, false, false), cmd::kPause);
  EXPECT_EQ(ShellCommandForKey('M', false, false), cmd::kSound);
  EXPECT_EQ(ShellCommandForKey('N', true, false), cmd::kNewGame);
  EXPECT_EQ(ShellCommandForKey(0x0D, false, true), cmd::kFullScreen);
  // The game's own keys are never taken, nor a plain N or a P with Ctrl.
  for (int key : {kLeft, kRight, int('N')}) EXPECT_EQ(ShellCommandForKey(key, false, false), 0) << key;
  EXPECT_EQ(ShellCommandForKey('P', true, false), 0);

  EXPECT_EQ(LanguageOfLocale("ja_JP.UTF-8"), Language::Japanese);
  EXPECT_EQ(LanguageOfLocale("ja-JP"), Language::Japanese);
  EXPECT_EQ(LanguageOfLocale("ja"), Language::Japanese);
  EXPECT_EQ(LanguageOfLocale("jam"), Language::English);
  EXPECT_EQ(LanguageOfLocale(""), Language::English);
  EXPECT_EQ(PlainText("ﾌｧｲﾙ(&F)"), "ﾌｧｲﾙ");
  EXPECT_EQ(PlainText("F&ree play..."), "Free play");
}

TEST(ShellControls, MenusCarryEveryCommandOnceInBothLanguages) {
  for (Language language : {Language::Japanese, Language::English}) {
    std::set<int> seen;
    auto walk = [&](auto&& self, const std::vector<MenuEntry>& entries) -> void {
      for (const MenuEntry& entry : entries) {
        if (entry.command) {
          EXPECT_TRUE(seen.insert(entry.command).second) << entry.text;
        }
        if (entry.kind != MenuEntry::Kind::Separator) {
          EXPECT_FALSE(entry.text.empty());
        }
        self(self, entry.entries);
      }
    };
    for (const MenuDescription& menu : ShellMenus(language)) walk(walk, menu.entries);
    EXPECT_EQ(seen.size(), 24u);
  }
  // The Japanese menus keep the game's own texts.
  const std::vector<MenuDescription> japanese = ShellMenus(Language::Japanese);
  EXPECT_EQ(japanese.front().title, "ﾌｧｲﾙ(&F)");
  EXPECT_EQ(japanese.front().entries.back().text, "ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)");
  EXPECT_EQ(ShellMenus(Language::English).front().title, "&File");
}

TEST(ShellControls, SettingsSurviveTheirFileAndADamagedOneCountsWhatItCan) {
  ShellSettings set;
  set.sound = false;
  set.volume = 2;
  set.smooth = false;
  set.scale = 3;
  set.language = Language::Japanese;
  set.backgroundPause = true;
  ShellSettings read;
  std::string problem;
  EXPECT_TRUE(ParseShellSettings(FormatShellSettings(set), read, problem));
  EXPECT_EQ(read, set);

  ShellSettings damaged;
  EXPECT_FALSE(ParseShellSettings("volume=9\nsound=off\n\x01\xff=x\nscale=fit\n", damaged, problem));
  EXPECT_EQ(problem, "line 1 is not a setting this version knows");
  EXPECT_EQ(damaged.volume, ShellSettings::kLoudest);
  EXPECT_FALSE(damaged.sound);
  EXPECT_EQ(damaged.scale, 0);

  ShellSettings loud, quiet = loud;
  quiet.volume = 1;
  EXPECT_FLOAT_EQ(loud.Gain(), 1.0f);
  EXPECT_GT(quiet.Gain(), 0.0f);
  EXPECT_LT(quiet.Gain(), loud.Gain());
  quiet.sound = false;
  EXPECT_EQ(quiet.Gain(), 0.0f);
}

// The same presses, before the same ticks, with and without a long pause
// and keys pressed during it.
std::string PlayedTrace(bool pausing) {
  const std::string trace = WriteTempFile(pausing ? "paused.trace" : "unpaused.trace", "");
  ShellOptions options;
  options.traceFile = trace;
  GameSession session;
  NullWindow window;
  EXPECT_NO_FATAL_FAILURE(StartGameSession(session, options, window));
  for (int t = 1; t <= 300; ++t) {
    if (t % 9 == 2) session.PlayerKeyDown(t % 2 ? kLeft : kRight);
    if (pausing && t == 100) {
      session.SetPaused(GameSession::PauseReason::Player, true);
      for (int i = 0; i < 20; ++i) {
        session.PlayerKeyDown(kLeft);
        session.Tick(&window);
      }
      EXPECT_EQ(session.TicksRun(), 99);
      session.SetPaused(GameSession::PauseReason::Background, true);
      session.SetPaused(GameSession::PauseReason::Player, false);
      session.Tick(&window);
      EXPECT_TRUE(session.Paused());
      session.SetPaused(GameSession::PauseReason::Background, false);
    }
    session.Tick(&window);
  }
  std::string error;
  EXPECT_TRUE(session.Close(error)) << error;
  return Slurp(trace);
}

TEST(ShellControls, APausedGameIsTheGameOfItsPresses) { EXPECT_EQ(PlayedTrace(true), PlayedTrace(false)); }

TEST(ShellControls, OutOfCreditsOnlyAfterThirtyQuietSeconds) {
  // A player who drops every credit at once, then waits.
  ShellOptions options;
  options.credits = 3;
  GameSession session;
  NullWindow window;
  ASSERT_NO_FATAL_FAILURE(StartGameSession(session, options, window));
  long long quiet = 0;
  while (!session.OutOfCredits() && session.TicksRun() < 20000) {
    if (session.Credits() > 0) session.PlayerKeyDown(session.TicksRun() % 2 ? kLeft : kRight);
    const int before = session.Credits();
    session.Tick(&window);
    quiet = session.Credits() > before ? 0 : quiet + 1;
  }
  ASSERT_TRUE(session.OutOfCredits()) << session.TicksRun() << " " << session.Credits();
  EXPECT_EQ(session.Credits(), 0);
  EXPECT_EQ(quiet, 150);  // 30 s of 200 ms ticks, and not one more
}

// A window's games, one after another, in the kept folder of $XDG_STATE_HOME.
TEST(ShellControls, EveryGameIsKeptAndANewOneSetsTheLastAside) {
  const fs::path state = fs::temp_directory_path() / ("marobel-shelf-" + std::to_string(::getpid()));
  fs::remove_all(state);
  setenv("XDG_STATE_HOME", state.c_str(), 1);
  const fs::path kept = state / "marobel" / "game.keys";
  const fs::path previous = state / "marobel" / "game.keys.previous";
  NullWindow window;
  std::string error;
  ShellOptions options;
  options.keepGame = true;
  {
    GameSession session;
    ASSERT_NO_FATAL_FAILURE(StartGameSession(session, options, window));
    ASSERT_TRUE(session.KeepsGame()) << session.Notice();
    // A second window cannot keep the same game.
    GameSession second;
    ASSERT_TRUE(second.Open(options, error));
    EXPECT_FALSE(second.KeepsGame());
    EXPECT_NE(second.Notice().find("another window"), std::string::npos);
    EXPECT_TRUE(second.Close(error));
    // Nor one that asks to continue it: it opens unkept, and says so.
    ShellOptions continuing = options;
    continuing.continueGame = true;
    GameSession third;
    ASSERT_TRUE(third.Open(continuing, error)) << error;
    EXPECT_FALSE(third.KeepsGame());
    EXPECT_NE(third.Notice().find("in use"), std::string::npos);
    EXPECT_TRUE(third.Close(error));

    session.PlayerKeyDown(kRight);
    for (int t = 0; t < 30; ++t) session.Tick(&window);
    const std::string first = Slurp(kept.string());
    EXPECT_FALSE(session.PreviousGameKept());
    ASSERT_TRUE(session.StartAnotherGame(GameSession::GameStart::New, 500, error)) << error;
    session.Reset(&window);
    EXPECT_EQ(session.TicksRun(), 0);
    EXPECT_EQ(session.Credits(), 500);
    EXPECT_TRUE(session.PreviousGameKept());
    EXPECT_EQ(Slurp(previous.string()).substr(0, first.size()), first);
    session.PlayerKeyDown(kLeft);
    for (int t = 0; t < 12; ++t) session.Tick(&window);

    // Continue takes the first game up again, where it was left.
    ASSERT_TRUE(session.StartAnotherGame(GameSession::GameStart::Continue, std::nullopt, error)) << error;
    session.Reset(&window);
    EXPECT_EQ(session.TicksRun(), 30);
    EXPECT_NE(Slurp(previous.string()).find("500"), std::string::npos);
    EXPECT_TRUE(session.Close(error)) << error;
  }
  {
    // The next start is a new game, the last one kept aside; a game left
    // without a press is not worth keeping over it.
    GameSession session;
    ASSERT_NO_FATAL_FAILURE(StartGameSession(session, options, window));
    EXPECT_EQ(session.TicksRun(), 0);
    EXPECT_TRUE(session.Close(error));
    GameSession again;
    ASSERT_NO_FATAL_FAILURE(StartGameSession(again, options, window));
    EXPECT_TRUE(again.Close(error));
    std::string record = Slurp(previous.string());
    EXPECT_NE(record.find("1 right"), std::string::npos) << record;  // the first game's press
  }
  fs::remove_all(state);
}

}  // namespace
