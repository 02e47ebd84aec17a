#include "render/sound_cue.h"

#include <utility>

namespace {
SoundOutput* soundOutput = nullptr;
std::vector<std::string_view> pendingCues;
LastSoundCue lastCue;
std::int64_t cueTick = 0;
}  // namespace

void SetSoundOutput(SoundOutput* output) { soundOutput = output; }

void PlaySoundCue(const char* waveFile) {
  pendingCues.emplace_back(waveFile);
  lastCue.name = waveFile;
  lastCue.tick = cueTick;
  if (soundOutput) soundOutput->Play(waveFile);
}

const std::vector<std::string_view>& PendingSoundCues() { return pendingCues; }

void ClearSoundCues() { pendingCues.clear(); }

const LastSoundCue& LastCue() { return lastCue; }

void RestoreLastCue(LastSoundCue cue) { lastCue = std::move(cue); }

void SetCueTick(std::int64_t tick) { cueTick = tick; }
