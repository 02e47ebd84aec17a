#pragma once
#include <cstdint>
#include <vector>

#include "app/session/sound_bank.h"

// Plays each cue's sound, as the game session resolved it, with the
// multimedia library's one-shot player from memory, which never waits.
// Every sound is played at one gain, the player's sound setting: the
// samples themselves are scaled, as the one-shot player has no volume.
class WaveSoundOutput final : public SoundPlayer {
 public:
  void StopPlaying() override;
  // 0 silences every sound, the one playing too.
  void SetGain(float gain);

 private:
  void StartPlaying(const SoundClip& clip) override;
  std::vector<std::uint8_t> playing_;  // the player reads it while it sounds
  float gain_ = 1;
};
