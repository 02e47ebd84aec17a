#pragma once
#include <cstdint>
#include <vector>

#include "cabinet/canvas_style_fields.h"
#include "game/counters.h"
#include "game/play_stats.h"
#include "game/state.h"
#include "render/sound_cue.h"

// The running game as it stands between two ticks, kept in memory to be
// put back exactly: what a snapshot holds, without its encoding, its
// checks or its walk over every pair of coins. For working a tick out on
// the game itself and undoing it.
class GameMoment {
 public:
  void Take();
  // The game as it was at Take(), whatever ran since.
  void PutBack() const;

 private:
  std::vector<std::int32_t> coinX_, coinY_, coinVy_;
  std::vector<CoinState> coinState_;
  std::vector<int> inPlay_;
  std::vector<std::uint64_t> rows_;  // the contact rows of `inPlay_`, one after another
  int counters_[kCounterCount] = {};
  ScreenBox lotteryBox_{};
  std::uint32_t randState_ = 0;
  int style_[kStyleFieldCount] = {};
  PlayStats stats_{};
  std::int64_t tick_ = 0;
  LastSoundCue cue_;
};
