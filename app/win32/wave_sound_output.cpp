#include "app/win32/wave_sound_output.h"

#include <windows.h>
#include <mmsystem.h>

#include <vector>

#include "formats/wave_file.h"

namespace {
// The stand-in tone as the player takes it from memory: a whole wave file.
const std::vector<std::uint8_t>& FallbackImage() {
  static const std::vector<std::uint8_t> image = WaveFileImage(FallbackBeepSound());
  return image;
}
}  // namespace

void WaveSoundOutput::StopPlaying() { sndPlaySoundA(nullptr, 0); }

void WaveSoundOutput::StartPlaying(const char* waveFile) {
  if (sndPlaySoundA(waveFile, SND_ASYNC | SND_NODEFAULT)) return;
  sndPlaySoundA(reinterpret_cast<const char*>(FallbackImage().data()), SND_ASYNC | SND_MEMORY | SND_NODEFAULT);
}
