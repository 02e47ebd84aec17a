#include "app/session/game_history.h"

void GameHistory::Start(long long tick, int credits, long long coinsInPlay) {
  points_.clear();
  points_.reserve(kMaxPoints + 1);
  startTick_ = tick;
  stride_ = 1;
  points_.push_back({tick, credits, coinsInPlay, {}});
}

void GameHistory::AfterTick(long long tick, int credits, long long coinsInPlay, const PlayStats& counts) {
  // The latest tick is always the last point; one off the stride only
  // stands in until the next tick takes its place.
  if (points_.size() > 1 && (points_.back().tick - startTick_) % stride_ != 0) points_.pop_back();
  points_.push_back({tick, credits, coinsInPlay, {counts.coinPrizes, counts.sweepPrizes, counts.magicPrizes}});
  if (points_.size() > kMaxPoints) Thin();
}

void GameHistory::Thin() {
  // Prizes are counted, not sampled, so none is lost with the points that go.
  stride_ *= 2;
  std::size_t kept = 0;
  for (std::size_t i = 0; i < points_.size(); ++i)
    if ((points_[i].tick - startTick_) % stride_ == 0 || i + 1 == points_.size()) points_[kept++] = points_[i];
  points_.resize(kept);
}
