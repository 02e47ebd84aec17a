// The session summary against facts worked out without it: the known start
// of the game, and everything a rich game's own trace shows.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "app/session/session_summary.h"
#include "bonus/prize_board.h"
#include "game/coin_life.h"
#include "cabinet/tick.h"
#include "tests/test_support.h"
#include "tools/rich_game/rich_game.h"

namespace {

TEST(SessionSummary, CountsTheKnownStartAndOnePress) {
  NullWindow window;
  StartFreshGame(window);
  SessionSummary summary;
  // Ticks 3 and 4 pay 14 and 10; the press before tick 5 falls into the
  // gate and the lottery stops on a two-coin cell at tick 12.
  for (int t = 1; t <= 14; ++t) {
    if (t == 5) InsertCoin(0x27);
    GameTick();
    summary.AfterTick();
    if (t == 3 || t == 4) {
      EXPECT_EQ(summary.Counts().coinsPaidOut, t == 3 ? 14 : 24);
    }
  }
  const PlayStats c = summary.Counts();
  EXPECT_EQ(summary.Ticks(), 14);
  EXPECT_EQ(c.coinsBought, 1);
  EXPECT_EQ(c.lotterySpins, 1);
  EXPECT_EQ(c.prizeCoins, 2);
  EXPECT_NE(summary.Json().find("\"payoutRatio\":24.000000,\"freePlayCredits\":null}"), std::string::npos)
      << summary.Json();
}

// Every number of the summary that the trace also shows, counted from the
// trace line by line: sounds, the cursor where the lottery stopped, the
// credit count, the sweeper's start and the coins listed.
TEST(SessionSummary, AgreesWithTheTraceOfARichGame) {
  const std::string keys = WriteTempFile("summary.keys", RichGameKeys(RichStyle::Mixed, 3, 2500));
  const std::string trace = WriteTempFile("summary.trace", "");
  const std::string json = WriteTempFile("summary.json", "");
  ASSERT_EQ(RunSim("--ticks 2500 --credits 1500 --keys " + keys + " --trace " + trace + " --summary-json " + json), 0);

  long long paid = 0, bonusPaid = 0, spins = 0, bought = 0, sweeps = 0, magic = 0, peak = 0, ticks = -1;
  long long byKind[4] = {};
  long long credits = 0;
  std::ifstream in(trace);
  for (std::string line; std::getline(in, line); ++ticks) {
    const std::vector<std::string> sounds = TraceSounds(line);
    const long long normal = std::count(sounds.begin(), sounds.end(), "coin.wav");
    const long long bonus = std::count(sounds.begin(), sounds.end(), "coin2.wav");
    paid += normal;
    bonusPaid += bonus;
    magic += std::count(sounds.begin(), sounds.end(), "magic.wav");
    if (std::count(sounds.begin(), sounds.end(), "stop.wav")) {
      ++spins;
      ++byKind[static_cast<int>(
          PrizeAt(static_cast<int>(TraceField(line, "lotteryRow")), static_cast<int>(TraceField(line, "lotteryColumn")))
              .kind)];
    }
    sweeps += TraceField(line, "sweepTimer") == 44;  // the first step of a crossing
    const long long now = TraceField(line, "credits");
    if (ticks >= 0) bought += credits + normal + 50 * bonus - now;  // keys come only before ticks
    credits = now;
    peak = std::max<long long>(
        peak, std::count(line.begin() + static_cast<long>(line.find("\"coins\":")), line.end(), '[') - 1);
  }
  const std::string summary = Slurp(json);
  ASSERT_EQ(summary.back(), '\n');
  EXPECT_EQ(TraceField(summary, "ticks"), ticks);
  EXPECT_EQ(TraceField(summary, "coinsBought"), bought);
  EXPECT_EQ(TraceField(summary, "coinsPaidOut"), paid);
  EXPECT_EQ(TraceField(summary, "creditsFromPayouts"), paid);
  EXPECT_EQ(TraceField(summary, "bonusCoinsPaidOut"), bonusPaid);
  EXPECT_EQ(TraceField(summary, "creditsFromBonusCoins"), 50 * bonusPaid);
  EXPECT_EQ(TraceField(summary, "bonusCoins"), magic);  // the pool of bonus slots never fills here
  EXPECT_EQ(TraceField(summary, "lotterySpins"), spins);
  EXPECT_EQ(TraceField(summary, "none"), byKind[static_cast<int>(PrizeKind::None)]);
  EXPECT_EQ(TraceField(summary, "coins"), byKind[static_cast<int>(PrizeKind::Coins)]);
  EXPECT_EQ(TraceField(summary, "sweep"), byKind[static_cast<int>(PrizeKind::Sweep)]);
  EXPECT_EQ(TraceField(summary, "magic"), byKind[static_cast<int>(PrizeKind::Magic)]);
  EXPECT_EQ(TraceField(summary, "sweeps"), sweeps);
  EXPECT_EQ(TraceField(summary, "peakCoinsInPlay"), peak);
  EXPECT_GT(spins, 10);
  EXPECT_GT(bonusPaid, 0);
  for (const std::string& f : {keys, trace, json}) std::remove(f.c_str());
}

}  // namespace
