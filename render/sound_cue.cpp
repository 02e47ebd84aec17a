#include "render/sound_cue.h"

#include <utility>

namespace {
SoundOutput* soundOutput = nullptr;
LastSoundCue lastCue;
std::int64_t cueTick = 0;
}  // namespace

void SetSoundOutput(SoundOutput* output) { soundOutput = output; }

void PlaySoundCue(const char* waveFile) {
  lastCue.name = waveFile;
  lastCue.tick = cueTick;
  if (soundOutput) soundOutput->Play(waveFile);
}

const LastSoundCue& LastCue() { return lastCue; }

void RestoreLastCue(LastSoundCue cue) { lastCue = std::move(cue); }

void SetCueTick(std::int64_t tick) { cueTick = tick; }
