#pragma once
#include "render/sound_cue.h"

// Plays each cue with the multimedia library's one-shot player: asynchronous,
// a new sound cuts off the old one, and a missing file sounds the system's
// default sound.
class WaveSoundOutput final : public SoundOutput {
 public:
  void Play(const char* waveFile) override;
};
