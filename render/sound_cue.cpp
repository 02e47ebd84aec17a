#include "render/sound_cue.h"

namespace {
SoundOutput* soundOutput = nullptr;
}

void SetSoundOutput(SoundOutput* output) { soundOutput = output; }

void PlaySoundCue(const char* waveFile) {
  if (soundOutput) soundOutput->Play(waveFile);
}
