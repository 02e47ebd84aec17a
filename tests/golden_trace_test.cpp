// Long generated games pinned down line by line: every prize, the sweeper,
// bonus coins and lane bursts, through the whole runner. The differential
// tests compare the simulation passes with each other, so they cannot see a
// fault in what the passes share (coin drops, the sweeper's window, payout
// amounts, the tray); these traces can. Each golden file holds a hash of
// every --draws line (which carries the whole plain line too) and a few
// plain lines in full. After a deliberate change of the game, rebuild them:
//   MAROBEL_UPDATE_GOLDEN=1 marobel_tests --gtest_filter='Golden*'
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "bonus/prize_board.h"
#include "tests/golden_games.h"
#include "tests/test_support.h"
#include "tools/rich_game/rich_game.h"

namespace {

constexpr long long kFullLineTicks[] = {1, 1500, 3000};

std::uint32_t Fnv1a(const std::string& s) {
  std::uint32_t h = 2166136261u;
  for (unsigned char c : s) h = (h ^ c) * 16777619u;
  return h;
}

std::string Hex(std::uint32_t v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%08x", v);
  return buf;
}

std::string GoldenPath(const GoldenGame& g) {
  return std::string(MAROBEL_TEST_DATA_DIR) + "/golden/" + g.name + ".txt";
}

struct Golden {
  std::vector<std::string> hashes;
  std::map<long long, std::string> fullLines;
};

bool ReadGolden(const std::string& path, Golden& golden) {
  std::ifstream in(path);
  if (!in) return false;
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    if (line.rfind("line ", 0) == 0) {
      const std::size_t space = line.find(' ', 5);
      golden.fullLines[std::stoll(line.substr(5, space - 5))] = line.substr(space + 1);
    } else {
      golden.hashes.push_back(line);
    }
  }
  return true;
}

void WriteGolden(const GoldenGame& g, const std::vector<std::string>& draws, const std::vector<std::string>& plain) {
  std::ofstream out(GoldenPath(g), std::ios::binary);
  out << "# marobel-sim --ticks " << g.ticks << " --credits " << g.credits << " --keys <(rich-game-keys "
      << (g.style == RichStyle::Steady   ? "steady"
          : g.style == RichStyle::Bursts ? "bursts"
                                         : "mixed")
      << ' ' << g.seed << ' ' << g.ticks << ")\n# FNV-1a of each --draws line, tick 0 first; then whole plain lines\n";
  for (const std::string& line : draws) out << Hex(Fnv1a(line)) << '\n';
  for (long long tick : kFullLineTicks) out << "line " << tick << ' ' << plain[tick] << '\n';
}

// The plain trace line is the --draws line without its draws.
std::string WithoutDraws(const std::string& line) {
  const std::size_t at = line.find(",\"draws\":[");
  return at == std::string::npos ? line : line.substr(0, at) + "}";
}

std::vector<std::string> RunGame(const GoldenGame& g, const std::string& keys, const std::string& extra) {
  const std::string trace = WriteTempFile(std::string(g.name) + ".trace", "");
  std::vector<std::string> lines;
  const int status = RunSim("--ticks " + std::to_string(g.ticks) + " --credits " + std::to_string(g.credits) +
                            " --keys " + keys + " --trace " + trace + extra);
  EXPECT_EQ(status, 0);
  std::ifstream in(trace);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  std::remove(trace.c_str());
  return lines;
}

// What a game went through, read back from its trace alone.
struct Coverage {
  std::set<PrizeKind> prizeKinds;
  std::set<std::string> sounds;
};

void Observe(const std::string& line, Coverage& seen) {
  const std::vector<std::string> sounds = TraceSounds(line);
  seen.sounds.insert(sounds.begin(), sounds.end());
  // The cursor stays on the cell it stopped at until the next tick.
  if (std::find(sounds.begin(), sounds.end(), "stop.wav") != sounds.end())
    seen.prizeKinds.insert(
        PrizeAt(static_cast<int>(TraceField(line, "lotteryRow")), static_cast<int>(TraceField(line, "lotteryColumn")))
            .kind);
}

TEST(GoldenTrace, GeneratedRichGamesMatchLineByLine) {
  const bool update = std::getenv("MAROBEL_UPDATE_GOLDEN") != nullptr;
  Coverage seen;
  for (const GoldenGame& g : kGoldenGames) {
    SCOPED_TRACE(g.name);
    const std::string keys = WriteTempFile(std::string(g.name) + ".keys", RichGameKeys(g.style, g.seed, g.ticks));
    const std::vector<std::string> plain = RunGame(g, keys, "");
    const std::vector<std::string> draws = RunGame(g, keys, " --draws");
    std::remove(keys.c_str());
    ASSERT_EQ(plain.size(), static_cast<std::size_t>(g.ticks + 1));
    ASSERT_EQ(draws.size(), plain.size());
    for (std::size_t t = 0; t < plain.size(); ++t) {
      ASSERT_EQ(WithoutDraws(draws[t]), plain[t]) << "tick " << t;
      Observe(plain[t], seen);
    }
    if (update) WriteGolden(g, draws, plain);

    Golden golden;
    ASSERT_TRUE(ReadGolden(GoldenPath(g), golden)) << GoldenPath(g);
    ASSERT_EQ(golden.hashes.size(), draws.size());
    for (std::size_t t = 0; t < draws.size(); ++t)
      ASSERT_EQ(Hex(Fnv1a(draws[t])), golden.hashes[t])
          << "first difference at tick " << t << ": " << plain[t].substr(0, 400);
    for (const auto& [tick, line] : golden.fullLines) EXPECT_EQ(plain[tick], line) << "tick " << tick;
  }
  // The games together must go through every prize and every sound (a
  // bonus coin paid out among them), or they would pin down less than they
  // claim.
  EXPECT_EQ(seen.prizeKinds.size(), 4u);
  for (const char* sound : {"coin.wav", "coin2.wav", "in.wav", "s.wav", "stop.wav", "magic.wav", "cl.wav"})
    EXPECT_TRUE(seen.sounds.count(sound)) << sound;
}

}  // namespace
