// Snapshots: a restored game is the game it was taken from, a damaged or
// contradictory snapshot changes nothing, and the runner continues a game
// from one exactly as if it had never stopped.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <set>

#include "app/session/key_script.h"
#include "game/coin_life.h"
#include "game/contacts.h"
#include "game/play_stats.h"
#include "cabinet/snapshot.h"
#include "cabinet/tick.h"
#include "tests/golden_games.h"
#include "tests/test_support.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void PlayRichGame(NullWindow& window, RichStyle style, std::uint64_t seed, long long ticks, int credits) {
  StartFreshGame(window);
  game.credits = credits;
  const KeyScriptResult keys = ParseKeyScript(RichGameKeys(style, seed, ticks));
  ASSERT_TRUE(keys.ok);
  std::size_t next = 0;
  for (long long t = 1; t <= ticks; ++t) {
    while (next < keys.presses.size() && keys.presses[next].tick == t) InsertCoin(keys.presses[next++].virtualKey);
    GameTick();
  }
}

// What a snapshot does not spell out field by field: the whole coin arrays
// and the whole contact table.
bool SameArraysAndTable(const GameState& a, const GameState& b) {
  return std::memcmp(a.coinX, b.coinX, sizeof a.coinX) == 0 && std::memcmp(a.coinY, b.coinY, sizeof a.coinY) == 0 &&
         std::memcmp(a.coinVy, b.coinVy, sizeof a.coinVy) == 0 &&
         std::memcmp(a.coinState, b.coinState, sizeof a.coinState) == 0 &&
         std::memcmp(&a.contactMatrix, &b.contactMatrix, sizeof a.contactMatrix) == 0;
}

TEST(Snapshot, RestoresTheWholeGameAndSavesTheSameBytesAgain) {
  NullWindow window;
  PlayRichGame(window, RichStyle::Mixed, 7, 1500, 1500);
  ASSERT_FALSE(LastCue().name.empty());
  const auto taken = std::make_unique<GameState>(game);
  const Bytes bytes = SaveSnapshot();
  const std::int64_t tick = CabinetTick();
  const LastSoundCue cue = LastCue();
  const std::int64_t bought = playStats.coinsBought;
  const int penWidth = mainCanvas.penWidth;

  // Restored over a different game, and with another path holding the codes.
  for (PathKind kind : {PathKind::Fast, PathKind::Literal}) {
    SCOPED_TRACE(PathName(kind));
    StartFreshGame(window);
    mainCanvas.SetPen(9, 1, 2, 3);
    UseSimulationPath(PathOf(kind));
    std::string error;
    ASSERT_TRUE(LoadSnapshot(bytes.data(), bytes.size(), error)) << error;
    UseSimulationPath(FastPath());
    EXPECT_TRUE(SameArraysAndTable(game, *taken));
    EXPECT_EQ(game.randState, taken->randState);
    EXPECT_EQ(game.credits, taken->credits);
    EXPECT_EQ(CabinetTick(), tick);
    EXPECT_EQ(LastCue().name, cue.name);
    EXPECT_EQ(LastCue().tick, cue.tick);
    EXPECT_EQ(playStats.coinsBought, bought);
    EXPECT_EQ(mainCanvas.penWidth, penWidth);
    EXPECT_TRUE(SaveSnapshot() == bytes);
  }
}

TEST(Snapshot, ACrowdedTableStaysSmall) {
  NullWindow window;
  StartFreshGame(window);
  game.credits = 1000000;
  int inPlay = 0;
  for (int t = 0; t < 60 || (inPlay < 300 && t < 300); ++t) {
    for (int n = 0; n < 20 && inPlay + n < 330; ++n) InsertCoin(n % 2 ? kVirtualKeyLeft : kVirtualKeyRight);
    GameTick();
    inPlay = 0;
    ForEachCoinInPlay([&](int) { ++inPlay; });
  }
  ASSERT_GE(inPlay, 300);
  EXPECT_LT(SaveSnapshot().size(), 64u * 1024u) << inPlay << " coins";
}

// A copy of `bytes` with `edit` applied and the checksum made to match again.
Bytes Edited(Bytes bytes, std::size_t offset, std::uint8_t value) {
  bytes[offset] = value;
  const std::uint32_t crc = SnapshotChecksum(bytes.data(), bytes.size() - 4);
  for (int i = 0; i < 4; ++i) bytes[bytes.size() - 4 + i] = static_cast<std::uint8_t>(crc >> (8 * i));
  return bytes;
}

// Two coins on the field with a contact between them: a snapshot small
// enough to know every byte of.
Bytes TwoCoinSnapshot() {
  StartEmptyGame();
  SetCabinetTick(5);
  RestoreLastCue({});
  PlaceCoin(10, CoinState::OnField, 150, 250);
  PlaceCoin(11, CoinState::OnField, 152, 255);
  ClassifyPair(10, 11, CoinState::OnField);
  EXPECT_EQ(game.contactMatrix.Code(10, 11), ContactBehind);
  return SaveSnapshot();
}

constexpr std::size_t kBody = 24;
constexpr std::size_t kCredits = kBody + 12 * 4;
constexpr std::size_t kLotteryRow = kBody + 4 * 4;
constexpr std::size_t kPending = kBody + 7 * 4;
constexpr std::size_t kFirstTotal = kBody + 13 * 4 + 16 + 4 + 1 + 8 + 11 * 4;
constexpr std::size_t kCoins = kBody + 13 * 4 + 16 + 4 + 1 + 8 + 11 * 4 + 14 * 8;  // no sound named
constexpr std::size_t kFirstState = kCoins + 2 + 2;

TEST(Snapshot, RefusesDamagedAndContradictorySnapshotsChangingNothing) {
  const Bytes small = TwoCoinSnapshot();
  ASSERT_EQ(small.size(), kFirstState + 1 + 12 + 15 + 1 + 4);
  NullWindow window;
  PlayRichGame(window, RichStyle::Bursts, 4, 300, 1000);
  const Bytes running = SaveSnapshot();
  const auto table = std::make_unique<GameState>(game);

  auto expectRefused = [&](const Bytes& bad, const std::string& reason, const std::string& what) {
    std::string error;
    EXPECT_FALSE(LoadSnapshot(bad.data(), bad.size(), error)) << what;
    EXPECT_NE(error.find(reason), std::string::npos) << what << ": " << error;
    EXPECT_EQ(error.find('\n'), std::string::npos);
    EXPECT_TRUE(SaveSnapshot() == running) << what;
    EXPECT_TRUE(SameArraysAndTable(game, *table)) << what;
  };
  for (std::size_t n = 0; n < small.size(); ++n)
    expectRefused(Bytes(small.begin(), small.begin() + static_cast<long>(n)), "truncated",
                  "cut at " + std::to_string(n));
  Bytes longer = small;
  longer.push_back(0);
  expectRefused(longer, "longer", "a byte too many");
  for (std::size_t bit = 0; bit < 8 * small.size(); bit += 7) {
    Bytes flipped = small;
    flipped[bit / 8] ^= static_cast<std::uint8_t>(1u << (bit % 8));
    expectRefused(flipped, "", "bit " + std::to_string(bit));
  }
  expectRefused(Edited(small, 0, 'X'), "not a snapshot", "magic");
  expectRefused(Edited(small, 8, 2), "version 2", "version");
  expectRefused(Edited(small, 23, 0x80), "tick -", "negative tick");
  expectRefused(Edited(small, kCredits + 3, 0xFF), "credit count -", "credits");
  expectRefused(Edited(small, kLotteryRow, 3), "lottery row 3", "lottery row");
  // Values no game reaches, which would overflow the ticks that follow.
  expectRefused(Edited(small, kPending + 1, 2), "pending coin count 512", "more coins waiting than 5 ticks can win");
  expectRefused(Edited(small, kFirstTotal + 7, 0x40), "play total", "a total two others cannot be added to");
  expectRefused(Edited(small, kFirstState + 2, 5), "coin's x 1430", "a coin beside the canvas");
  expectRefused(Edited(small, kFirstState + 8, 0xFF), "coin's y -", "a coin above the canvas");
  expectRefused(Edited(small, kFirstState, 9), "unknown state", "coin state");
  expectRefused(Edited(small, kFirstState, 1), "not on the table", "contact of a coin in the air");
  expectRefused(Edited(small, kFirstState - 2, 11), "ascending", "slot order");
  expectRefused(Edited(small, small.size() - 5, 3), "unknown contact code", "code 3");
  expectRefused(Edited(small, small.size() - 5, 1 | 4), "stray bits", "bits after the last pair");

  // The untouched snapshot is still accepted, and brings its own game.
  std::string error;
  ASSERT_TRUE(LoadSnapshot(small.data(), small.size(), error)) << error;
  EXPECT_EQ(game.contactMatrix.Code(10, 11), ContactBehind);
  EXPECT_EQ(CountInState(CoinState::OnField), 2);
}

// --- Through the runner, in separate processes ---

std::vector<std::string> ReadLines(const std::string& path) {
  std::vector<std::string> lines;
  std::ifstream in(path);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// A tick's line as the first line after a snapshot shows it: no sounds, no draws.
std::string AsFirstLine(const std::string& line) {
  const std::size_t sounds = line.find("\"sounds\":[");
  const std::size_t soundsEnd = line.find(']', sounds);
  std::string out = line.substr(0, sounds) + "\"sounds\":[]" + line.substr(soundsEnd + 1);
  return out.substr(0, out.find(",\"draws\":[")) + ",\"draws\":[]}";
}

TEST(SnapshotRunner, GoldenGamesCutAtRandomTicksContinueLineForLine) {
  for (const GoldenGame& g : kGoldenGames) {
    SCOPED_TRACE(g.name);
    const std::string keys =
        WriteTempFile(std::string(g.name) + ".snapshot.keys", RichGameKeys(g.style, g.seed, g.ticks));
    const std::string trace = WriteTempFile(std::string(g.name) + ".snapshot.trace", "");
    const std::string common = " --draws --keys " + keys + " --trace " + trace;
    ASSERT_EQ(RunSim("--ticks " + std::to_string(g.ticks) + " --credits " + std::to_string(g.credits) + common), 0);
    const std::vector<std::string> straight = ReadLines(trace);
    ASSERT_EQ(straight.size(), static_cast<std::size_t>(g.ticks + 1));

    // Each stretch between two cuts runs in a fresh process from the last one's snapshot.
    std::mt19937_64 random(g.seed);
    std::set<long long> cutSet;
    while (cutSet.size() < 20)
      cutSet.insert(1 + static_cast<long long>(random() % static_cast<std::uint64_t>(g.ticks - 1)));
    std::vector<long long> cuts(cutSet.begin(), cutSet.end());
    cuts.push_back(g.ticks);
    long long from = 0;
    const std::string before = WriteTempFile(std::string(g.name) + ".before.snap", "");
    const std::string after = WriteTempFile(std::string(g.name) + ".after.snap", "");
    for (long long to : cuts) {
      SCOPED_TRACE("ticks " + std::to_string(from) + " to " + std::to_string(to));
      const std::string start = from == 0 ? " --credits " + std::to_string(g.credits) : " --load-snapshot " + before;
      ASSERT_EQ(RunSim("--ticks " + std::to_string(to - from) + start + " --save-snapshot " + after + common), 0);
      const std::vector<std::string> lines = ReadLines(trace);
      ASSERT_EQ(lines.size(), static_cast<std::size_t>(to - from + 1));
      EXPECT_EQ(lines[0], from == 0 ? straight[0] : AsFirstLine(straight[from]));
      for (long long t = from + 1; t <= to; ++t)
        ASSERT_TRUE(lines[t - from] == straight[t]) << "first difference at tick " << t;
      std::filesystem::rename(after, before);
      from = to;
    }
    std::remove(keys.c_str());
    std::remove(trace.c_str());
    std::remove(before.c_str());
  }
}

TEST(SnapshotRunner, OptionsAndRefusalsExitTwoWithOneLine) {
  const std::string snap = WriteTempFile("runner.snap", "");
  ASSERT_EQ(RunSim("--ticks 40 --trace /dev/null --save-snapshot " + snap), 0);
  // A snapshot run for no ticks is saved again byte for byte.
  const std::string again = WriteTempFile("runner-again.snap", "");
  ASSERT_EQ(RunSim("--ticks 0 --trace /dev/null --load-snapshot " + snap + " --save-snapshot " + again), 0);
  EXPECT_EQ(Slurp(again), Slurp(snap));

  std::string out, err;
  EXPECT_EQ(RunSim("--credits 5 --load-snapshot " + snap, &out, &err), 2);
  EXPECT_NE(err.find("--credits"), std::string::npos) << err;

  std::string damaged = Slurp(snap);
  damaged[damaged.size() / 2] ^= 0x10;
  const std::string bad = WriteTempFile("damaged.snap", damaged);
  const std::string trace = WriteTempFile("damaged.trace.keep", "");
  std::remove(trace.c_str());
  const std::string frames = trace + ".frames";
  err.clear();
  EXPECT_EQ(RunSim("--load-snapshot " + bad + " --trace " + trace + " --frames " + frames, &out, &err), 2);
  EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
  EXPECT_NE(err.find("damaged.snap"), std::string::npos) << err;
  EXPECT_FALSE(std::filesystem::exists(trace));
  EXPECT_FALSE(std::filesystem::exists(frames));
  for (const std::string& f : {snap, again, bad}) std::remove(f.c_str());
}

}  // namespace
