#pragma once
#include <cstdint>
#include <vector>

#include "app/session/sound_bank.h"

// Plays each cue's sound, as the game session resolved it, with the
// multimedia library's one-shot player from memory, which never waits.
class WaveSoundOutput final : public SoundPlayer {
 public:
  void StopPlaying() override;

 private:
  void StartPlaying(const SoundClip& clip) override;
  std::vector<std::uint8_t> playing_;  // the player reads it while it sounds
};
