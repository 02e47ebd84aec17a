// Prints a rich game's key script, for reproducing golden traces and
// benchmark runs by hand: rich-game-keys STYLE SEED TICKS
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tools/rich_game/rich_game.h"

int main(int argc, char** argv) {
  RichStyle style;
  char* end = nullptr;
  if (argc != 4 || !ParseRichStyle(argv[1], style)) {
    std::fputs("usage: rich-game-keys steady|bursts|mixed SEED TICKS\n", stderr);
    return 2;
  }
  const unsigned long long seed = std::strtoull(argv[2], &end, 10);
  if (*argv[2] == '\0' || *end != '\0') {
    std::fputs("rich-game-keys: SEED is not a whole number\n", stderr);
    return 2;
  }
  const long long ticks = std::strtoll(argv[3], &end, 10);
  if (*argv[3] == '\0' || *end != '\0' || ticks < 0 || ticks > 100'000'000) {
    std::fputs("rich-game-keys: TICKS is not a whole number from 0 to 100000000\n", stderr);
    return 2;
  }
  const std::string keys = RichGameKeys(style, seed, ticks);
  return std::fwrite(keys.data(), 1, keys.size(), stdout) == keys.size() && std::fflush(stdout) == 0 ? 0 : 1;
}
