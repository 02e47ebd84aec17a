// The runner's progress line: nothing for short runs or where nobody
// watches, then percent, ticks, rate and time left, rewritten in place on
// a terminal, or a line every tenth of the way for a video off a terminal.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "app/sim/progress_line.h"

namespace {

using namespace std::chrono_literals;

std::string Written(std::FILE* file) {
  std::fflush(file);
  std::string text(static_cast<std::size_t>(std::ftell(file)), '\0');
  std::rewind(file);
  text.resize(std::fread(text.data(), 1, text.size(), file));
  return text;
}

std::string RunLine(ProgressLine::Mode mode, const std::string& file) {
  const ProgressLine::Clock::time_point start{};
  std::FILE* out = std::tmpfile();
  ProgressLine line(1000, out, mode, start, file);
  line.Update(100, start + 2s);
  line.Update(400, start + 4s);
  line.Update(410, start + 4100ms);  // too soon to rewrite a live line
  line.Update(500, start + 5s);
  line.Update(1000, start + 10s);
  line.Finish(start + 10s);
  std::string text = Written(out);
  std::fclose(out);
  return text;
}

TEST(ProgressLine, LiveOnATerminalAfterAQuietStart) {
  EXPECT_EQ(RunLine(ProgressLine::Mode::Silent, "game.mp4"), "");
  EXPECT_EQ(RunLine(ProgressLine::Mode::Live, ""),
            "\rmarobel-sim: 40% (400 of 1000 ticks), 100 ticks/s, 6 s left\x1b[K"
            "\rmarobel-sim: 50% (500 of 1000 ticks), 100 ticks/s, 5 s left\x1b[K"
            "\rmarobel-sim: 100% (1000 of 1000 ticks), 100 ticks/s, 0 s left\x1b[K"
            "\rmarobel-sim: 100% (1000 of 1000 ticks), 100 ticks/s, 0 s left\x1b[K\n");
}

TEST(ProgressLine, TenthsOffATerminalNameTheVideoAndSkipNone) {
  // 1000 ticks jump from 50% straight to 100%: one line for that step, and
  // the quiet start does not hold back the first.
  EXPECT_EQ(RunLine(ProgressLine::Mode::Tenths, "a\nb.mp4"),
            "marobel-sim: a\\x0ab.mp4 10% (100 of 1000 ticks), 50 ticks/s, 18 s left\n"
            "marobel-sim: a\\x0ab.mp4 40% (400 of 1000 ticks), 100 ticks/s, 6 s left\n"
            "marobel-sim: a\\x0ab.mp4 50% (500 of 1000 ticks), 100 ticks/s, 5 s left\n"
            "marobel-sim: a\\x0ab.mp4 100% (1000 of 1000 ticks), 100 ticks/s, 0 s left\n");
}

TEST(ProgressLine, DurationsAndTheVideoResultReadAsAPlayerReadsThem) {
  EXPECT_EQ(SpokenDuration(-3), "0 s");
  EXPECT_EQ(SpokenDuration(59.4), "59 s");
  EXPECT_EQ(SpokenDuration(185), "3 min 5 s");
  EXPECT_EQ(SpokenDuration(3725), "1 h 2 min");
  EXPECT_EQ(VideoResultLine("game.mp4", 3000, 5, 4'200'000),
            "marobel-sim: wrote game.mp4: 10 min 0 s of video (3000 frames), 4.2 MB");
  EXPECT_EQ(VideoResultLine("g.webm", 60, 5, 1001), "marobel-sim: wrote g.webm: 12 s of video (60 frames), 2 kB");
}

}  // namespace
