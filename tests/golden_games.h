#pragma once
#include <cstdint>

#include "tools/rich_game/rich_game.h"

// The long generated games whose traces are pinned down in tests/data/golden.
struct GoldenGame {
  const char* name;
  RichStyle style;
  std::uint64_t seed;
  long long ticks;
  long long credits;
};

// The last game runs out of credits part way, so presses go unpaid too.
inline constexpr GoldenGame kGoldenGames[] = {{"steady", RichStyle::Steady, 1, 3000, 100000},
                                              {"bursts", RichStyle::Bursts, 2, 3000, 100000},
                                              {"mixed", RichStyle::Mixed, 3, 4000, 1500}};
