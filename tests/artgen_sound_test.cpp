// The generated wave files: PCM the platform plays, short enough for the
// game's 200 ms tick where they repeat, audible, free of clicks, all distinct.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/generated_assets.h"

namespace {

const char* const kSounds[] = {"coin.wav", "coin2.wav", "in.wav", "s.wav", "stop.wav", "magic.wav", "cl.wav"};

struct Wave {
  bool ok = false;
  std::string problem;
  int rate = 0;
  std::vector<int> samples;
  double Seconds() const { return rate ? static_cast<double>(samples.size()) / rate : 0.0; }
};

std::uint32_t Le32(const std::vector<unsigned char>& b, std::size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}
unsigned Le16(const std::vector<unsigned char>& b, std::size_t at) { return b[at] | b[at + 1] << 8; }

// Walks the RIFF chunks as a player would, rather than assuming a layout.
Wave ReadWave(const std::string& name) {
  std::ifstream in(kAssets + "/" + name, std::ios::binary);
  const std::vector<unsigned char> b{std::istreambuf_iterator<char>(in), {}};
  Wave w;
  if (b.size() < 12 || std::string(b.begin(), b.begin() + 4) != "RIFF" ||
      std::string(b.begin() + 8, b.begin() + 12) != "WAVE") {
    w.problem = "not a RIFF WAVE file";
    return w;
  }
  if (Le32(b, 4) != b.size() - 8) {
    w.problem = "RIFF size does not match the file";
    return w;
  }
  bool haveFormat = false;
  for (std::size_t at = 12; at + 8 <= b.size();) {
    const std::string id(b.begin() + at, b.begin() + at + 4);
    const std::uint32_t size = Le32(b, at + 4);
    if (at + 8 + size > b.size()) {
      w.problem = "chunk " + id + " runs past the end";
      return w;
    }
    if (id == "fmt ") {
      if (size < 16 || Le16(b, at + 8) != 1 || Le16(b, at + 10) != 1 || Le16(b, at + 22) != 16) {
        w.problem = "not 16-bit mono PCM";
        return w;
      }
      w.rate = static_cast<int>(Le32(b, at + 12));
      if (Le32(b, at + 16) != static_cast<std::uint32_t>(w.rate) * 2 || Le16(b, at + 20) != 2) {
        w.problem = "byte rate or block size inconsistent";
        return w;
      }
      haveFormat = true;
    } else if (id == "data") {
      if (!haveFormat || size % 2) {
        w.problem = "data before format, or odd length";
        return w;
      }
      for (std::uint32_t i = 0; i < size; i += 2) w.samples.push_back(static_cast<std::int16_t>(Le16(b, at + 8 + i)));
      w.ok = true;
    }
    at += 8 + size + (size & 1);
  }
  if (!w.ok && w.problem.empty()) w.problem = "no data chunk";
  return w;
}

int Peak(const std::vector<int>& s, std::size_t from, std::size_t to) {
  int peak = 0;
  for (std::size_t i = from; i < to && i < s.size(); ++i) peak = std::max(peak, std::abs(s[i]));
  return peak;
}

TEST(ArtgenSounds, EveryWaveIsShortAudiblePcm) {
  REQUIRE_ASSETS();
  for (const char* name : kSounds) {
    const Wave w = ReadWave(name);
    ASSERT_TRUE(w.ok) << name << ": " << w.problem;
    EXPECT_TRUE(w.rate == 22050 || w.rate == 44100) << name;
    EXPECT_GE(w.Seconds(), 0.095) << name;
    EXPECT_LE(w.Seconds(), 0.8) << name;
    EXPECT_GT(Peak(w.samples, 0, w.samples.size()), 8000) << name << " is too quiet";
    // No long stretch pinned at full scale: that would be clipping.
    int pinned = 0, longest = 0;
    for (int v : w.samples) {
      pinned = std::abs(v) >= 32767 ? pinned + 1 : 0;
      longest = std::max(longest, pinned);
    }
    EXPECT_LT(longest, 3) << name << " clips";
  }
}

// A sound that starts or stops away from zero clicks, and the game cuts and
// restarts sounds every tick.
TEST(ArtgenSounds, WavesStartAndEndQuietly) {
  REQUIRE_ASSETS();
  for (const char* name : kSounds) {
    const Wave w = ReadWave(name);
    ASSERT_TRUE(w.ok) << name << ": " << w.problem;
    EXPECT_LT(std::abs(w.samples.front()), 500) << name;
    EXPECT_LT(Peak(w.samples, w.samples.size() - 8, w.samples.size()), 500) << name;
  }
}

// The lottery tick and the sweeper swish repeat every 200 ms tick; longer
// sounds would always be cut off by their own next request.
TEST(ArtgenSounds, RepeatingSoundsFitInOneTick) {
  REQUIRE_ASSETS();
  const Wave tick = ReadWave("s.wav");
  const Wave swish = ReadWave("cl.wav");
  ASSERT_TRUE(tick.ok && swish.ok);
  EXPECT_LE(tick.Seconds(), 0.2);
  EXPECT_LE(swish.Seconds(), 0.2);
  for (const char* name : kSounds) {
    const Wave w = ReadWave(name);
    if (std::string(name) != "s.wav") {
      EXPECT_GE(w.Seconds(), tick.Seconds()) << name << " is shorter than the tick";
    }
  }
}

TEST(ArtgenSounds, AllSoundsAreDifferent) {
  REQUIRE_ASSETS();
  std::vector<std::vector<int>> seen;
  for (const char* name : kSounds) {
    const Wave w = ReadWave(name);
    ASSERT_TRUE(w.ok) << name;
    for (const auto& other : seen) EXPECT_NE(other, w.samples) << name << " repeats another sound";
    seen.push_back(w.samples);
  }
}

}  // namespace
