#include "render/sound_cue.h"

#include <utility>

namespace {
SoundOutput* soundOutput = nullptr;
std::vector<std::string_view> pendingCues;
LastSoundCue lastCue;
std::int64_t cueTick = 0;
}  // namespace

SoundOutput* SetSoundOutput(SoundOutput* output) { return std::exchange(soundOutput, output); }

void PlaySoundCue(const char* waveFile) {
  pendingCues.emplace_back(waveFile);
  lastCue.name = waveFile;
  lastCue.tick = cueTick;
  if (soundOutput) soundOutput->Play(waveFile);
}

const std::vector<std::string_view>& PendingSoundCues() { return pendingCues; }

void ClearSoundCues() { pendingCues.clear(); }

std::vector<std::string_view> TakeSoundCues() { return std::exchange(pendingCues, {}); }
void PutBackSoundCues(std::vector<std::string_view> cues) { pendingCues = std::move(cues); }

const LastSoundCue& LastCue() { return lastCue; }

void RestoreLastCue(LastSoundCue cue) { lastCue = std::move(cue); }

void SetCueTick(std::int64_t tick) { cueTick = tick; }
