// The runner's progress line: nothing for short runs or where nobody
// watches, then ticks done and ticks a second, rewritten in place.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "tools/marobel_sim/progress_line.h"

namespace {

std::string Written(std::FILE* file) {
  std::fflush(file);
  std::string text(static_cast<std::size_t>(std::ftell(file)), '\0');
  std::rewind(file);
  text.resize(std::fread(text.data(), 1, text.size(), file));
  return text;
}

TEST(ProgressLine, QuietForShortRunsAndOffTerminalsThenCountsTicks) {
  using namespace std::chrono_literals;
  const ProgressLine::Clock::time_point start{};
  for (const bool terminal : {false, true}) {
    std::FILE* file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    ProgressLine line(1000, file, terminal, start);
    line.Update(100, start + 2s);
    EXPECT_EQ(Written(file), "") << "still within the quiet start";
    std::fseek(file, 0, SEEK_END);
    line.Update(400, start + 4s);
    line.Update(410, start + 4100ms);  // too soon to rewrite
    line.Update(500, start + 5s);
    line.Finish(start + 5s);
    const std::string text = Written(file);
    std::fclose(file);
    if (!terminal) {
      EXPECT_EQ(text, "");
      continue;
    }
    EXPECT_EQ(text,
              "\rmarobel-sim: 400 of 1000 ticks, 100 ticks/s\x1b[K"
              "\rmarobel-sim: 500 of 1000 ticks, 100 ticks/s\x1b[K"
              "\rmarobel-sim: 500 of 1000 ticks, 100 ticks/s\x1b[K\n");
  }
}

}  // namespace
