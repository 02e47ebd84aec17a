// The history the statistics window plots, against the session's own
// account of the same game: however long the game, few points, each the
// game as it was after its tick, the last the game as it stands, and prize
// counts that are the summary's.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <vector>

#include "app/session/game_session.h"
#include "app/session/shell_options.h"
#include "tests/test_support.h"
#include "tools/rich_game/rich_game.h"

namespace {

struct Moment {
  int credits = 0;
  long long coinsInPlay = 0;
  std::array<long long, GameHistory::kPrizeKinds> prizes{};
};

Moment MomentOf(const GameSession& session) {
  const std::string json = session.SummaryJson();
  return {session.Credits(),
          session.CoinsInPlay(),
          {TraceField(json, "coins"), TraceField(json, "sweep"), TraceField(json, "magic")}};
}

TEST(GameHistory, ALongRichGameKeepsFewPointsThatAgreeWithTheSummary) {
  constexpr long long kTicks = 5000;  // past the points' cap, so they are thinned twice
  ShellOptions options;
  options.replayFile = WriteTempFile("history.keys", RichGameKeys(RichStyle::Steady, 1, kTicks));
  options.credits = 100000;
  GameSession session;
  NullWindow window;
  ASSERT_NO_FATAL_FAILURE(StartGameSession(session, options, window));
  std::vector<Moment> moments = {MomentOf(session)};
  while (session.TicksRun() < kTicks) {
    session.Tick(&window);
    moments.push_back(MomentOf(session));
  }

  const std::vector<GameHistory::Point>& points = session.History().Points();
  ASSERT_LE(points.size(), GameHistory::kMaxPoints);
  EXPECT_EQ(session.History().TicksPerPoint(), 4);
  EXPECT_EQ(points.front().tick, 0);
  EXPECT_EQ(points.back().tick, kTicks);
  for (std::size_t i = 0; i < points.size(); ++i) {
    const GameHistory::Point& p = points[i];
    if (i + 1 < points.size()) {
      EXPECT_EQ(p.tick % 4, 0) << i;
    }
    const Moment& then = moments[static_cast<std::size_t>(p.tick)];
    EXPECT_EQ(p.credits, then.credits) << "tick " << p.tick;
    EXPECT_EQ(p.coinsInPlay, then.coinsInPlay) << "tick " << p.tick;
    for (int kind = 0; kind < GameHistory::kPrizeKinds; ++kind)
      EXPECT_EQ(p.prizes[kind], then.prizes[static_cast<std::size_t>(kind)]) << "tick " << p.tick << ", kind " << kind;
  }
  // Every kind won, so the marks were put to the test.
  for (long long won : moments.back().prizes) EXPECT_GT(won, 0);

  // A new game starts a new history.
  session.Reset(&window);
  ASSERT_EQ(session.History().Points().size(), 1u);
  EXPECT_EQ(session.History().Points()[0].prizes[GameHistory::CoinPrize], 0);
  std::remove(options.replayFile.c_str());
}

}  // namespace
