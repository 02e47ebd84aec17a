#pragma once
#include "render/sound_cue.h"

// Plays each cue with the multimedia library's one-shot player, which
// never waits; a file it cannot play sounds the stand-in tone every shell
// plays, from memory.
class WaveSoundOutput final : public OneVoiceOutput {
 private:
  void StopPlaying() override;
  void StartPlaying(const char* waveFile) override;
};
