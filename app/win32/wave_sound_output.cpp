#include "app/win32/wave_sound_output.h"

#include <windows.h>
#include <mmsystem.h>

#include "formats/wave_file.h"

void WaveSoundOutput::StopPlaying() {
  sndPlaySoundA(nullptr, 0);
  playing_.clear();
}

void WaveSoundOutput::StartPlaying(const SoundClip& clip) {
  playing_ = WaveFileImage(clip.sound);
  sndPlaySoundA(reinterpret_cast<const char*>(playing_.data()), SND_ASYNC | SND_MEMORY | SND_NODEFAULT);
}
