#pragma once
#include <cstddef>
#include <vector>

#include "cabinet/cabinet.h"

// The game since the creation reset, as the statistics picture plots it:
// the credits and the coins in play now and then, and how many lottery
// prizes of each kind had been won by then. However long the game, it
// stays within kMaxPoints points: when they are all taken, every other one
// goes and the points come half as often from then on.
class GameHistory {
 public:
  static constexpr std::size_t kMaxPoints = 2048;

  enum Prize { CoinPrize, SweepPrize, MagicPrize, kPrizeKinds };
  struct Point {
    long long tick = 0;  // the session's tick the point was taken after
    int credits = 0;
    long long coinsInPlay = 0;
    long long prizes[kPrizeKinds] = {};  // won since the history began, by kind
  };

  // The game as the creation reset (or the snapshot it went on from) left
  // it at `tick`; the history before it is forgotten.
  void Start(long long tick, int credits, long long coinsInPlay);
  // After each tick: `counts` are the play's counts since Start, as the
  // session's summary gives them.
  void AfterTick(long long tick, int credits, long long coinsInPlay, const PlayStats& counts);

  // In tick order, the first at Start and the last after the latest tick.
  const std::vector<Point>& Points() const { return points_; }
  // Ticks between two points kept for good (the last may come sooner).
  long long TicksPerPoint() const { return stride_; }

 private:
  void Thin();

  std::vector<Point> points_;
  long long startTick_ = 0;
  long long stride_ = 1;
};
