#include "cabinet/game_moment.h"

#include <algorithm>

#include "cabinet/tick.h"
#include "game/simulation_path.h"

void GameMoment::Take() {
  SyncContactMatrix();  // a path that keeps its codes elsewhere puts them here first
  coinX_.assign(std::begin(game.coinX), std::end(game.coinX));
  coinY_.assign(std::begin(game.coinY), std::end(game.coinY));
  coinVy_.assign(std::begin(game.coinVy), std::end(game.coinVy));
  coinState_.assign(std::begin(game.coinState), std::end(game.coinState));
  inPlay_.clear();
  rows_.clear();
  ForEachCoinInPlay([this](int i) {
    inPlay_.push_back(i);
    const std::uint64_t* rows = game.contactMatrix.RowsOf(i);
    rows_.insert(rows_.end(), rows, rows + ContactTable::kRowWords);
  });
  for (std::size_t f = 0; f < kCounterCount; ++f) counters_[f] = game.*kCounters[f].field;
  lotteryBox_ = game.lotteryBox;
  randState_ = game.randState;
  for (std::size_t f = 0; f < kStyleFieldCount; ++f) style_[f] = mainCanvas.*kStyleFields[f].field;
  stats_ = playStats;
  tick_ = CabinetTick();
  cue_ = LastCue();
}

void GameMoment::PutBack() const {
  // Coins that came into play since hold rows that were clear; those that
  // were in play get theirs back, pairs with the newcomers included.
  ForEachCoinInPlay([](int i) { game.contactMatrix.ClearRowsOf(i); });
  for (std::size_t k = 0; k < inPlay_.size(); ++k)
    game.contactMatrix.SetRowsOf(inPlay_[k], rows_.data() + k * ContactTable::kRowWords);
  std::copy(coinX_.begin(), coinX_.end(), game.coinX);
  std::copy(coinY_.begin(), coinY_.end(), game.coinY);
  std::copy(coinVy_.begin(), coinVy_.end(), game.coinVy);
  std::copy(coinState_.begin(), coinState_.end(), game.coinState);
  for (std::size_t f = 0; f < kCounterCount; ++f) game.*kCounters[f].field = counters_[f];
  game.lotteryBox = lotteryBox_;
  game.randState = randState_;
  for (std::size_t f = 0; f < kStyleFieldCount; ++f) mainCanvas.*kStyleFields[f].field = style_[f];
  playStats = stats_;
  SetCabinetTick(tick_);
  RestoreLastCue(cue_);
  if (const OwnContactStore* own = ActivePath().ownStore) own->load();
}
