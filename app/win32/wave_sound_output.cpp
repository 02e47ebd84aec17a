#include "app/win32/wave_sound_output.h"

#include <windows.h>
#include <mmsystem.h>

void WaveSoundOutput::Play(const char* waveFile) { sndPlaySoundA(waveFile, SND_ASYNC); }
