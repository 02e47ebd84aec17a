#pragma once
#include <cstdint>

#include "game/saturating_add.h"

// Running totals of what has happened in play, for session summaries. They
// are counted where the events happen and nothing in the game reads them,
// so they can never change a game. They start at zero with the program
// (and again with ResetProgramState) and are never reset by the game.
struct PlayStats {
  std::int64_t coinsBought = 0;         // credits spent on a coin, also when the pool was full
  std::int64_t coinsPaidOut = 0;        // normal coins over the front edge
  std::int64_t creditsFromPayouts = 0;  // what those coins added to the credit count
  std::int64_t bonusCoinsPaidOut = 0;
  std::int64_t creditsFromBonusCoins = 0;
  std::int64_t lotterySpins = 0;  // runs of the lottery that stopped on a cell
  std::int64_t coinPrizes = 0;    // stops by the kind of cell stopped on
  std::int64_t sweepPrizes = 0;
  std::int64_t magicPrizes = 0;
  std::int64_t blankPrizes = 0;
  std::int64_t prizeCoins = 0;  // coins the coin prizes added to the pending ones
  std::int64_t sweeps = 0;      // sweeper crossings started
  std::int64_t coinsSwept = 0;
  std::int64_t bonusCoins = 0;  // bonus coins put on the playfield
};

extern PlayStats playStats;

// Adds to one of the totals.
inline void CountPlay(std::int64_t& total, std::int64_t amount = 1) { total = SaturatingAdd(total, amount); }
