#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "cabinet/cabinet.h"

// What a session amounted to, for a player or a script: the counts of play
// since the summary was made, the ticks played and the most coins seen in
// play after any tick. Make it once the game has been reset and call
// AfterTick after every game tick; every front end prints the same account.
class SessionSummary {
 public:
  SessionSummary();

  void AfterTick();
  // A free-play game: it started with this many credits given, not won.
  void StartedWithCredits(long long credits) { freePlayCredits_ = credits; }

  // A few lines for people, each ending in a newline.
  std::string Text() const;
  // One JSON object, without a trailing newline.
  std::string Json() const;

  std::int64_t Ticks() const { return ticks_; }
  std::int64_t PeakCoinsInPlay() const { return peakCoinsInPlay_; }
  // The counts of play since the summary was made.
  PlayStats Counts() const;
  // Credits won for every coin bought; negative when none was bought.
  double PayoutRatio() const;
  const std::optional<long long>& FreePlayCredits() const { return freePlayCredits_; }

 private:
  PlayStats start_;
  std::int64_t ticks_ = 0;
  std::int64_t peakCoinsInPlay_ = 0;
  std::optional<long long> freePlayCredits_;
};
