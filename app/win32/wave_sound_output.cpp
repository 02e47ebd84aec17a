#include "app/win32/wave_sound_output.h"

#include <windows.h>
#include <mmsystem.h>

#include <cstring>

#include "formats/wave_file.h"

namespace {

template <typename Sample>
void ScaleEach(std::vector<std::uint8_t>& bytes, float gain, float middle = 0) {
  for (std::size_t at = 0; at + sizeof(Sample) <= bytes.size(); at += sizeof(Sample)) {
    Sample sample;
    std::memcpy(&sample, bytes.data() + at, sizeof sample);
    sample = static_cast<Sample>((static_cast<float>(sample) - middle) * gain + middle);
    std::memcpy(bytes.data() + at, &sample, sizeof sample);
  }
}

// Gains are at most 1, so no scaled sample leaves its range.
void ScaleSamples(WaveSound& sound, float gain) {
  switch (sound.format) {
    case WaveSampleFormat::UInt8:
      ScaleEach<std::uint8_t>(sound.samples, gain, 128);
      break;
    case WaveSampleFormat::Int16:
      ScaleEach<std::int16_t>(sound.samples, gain);
      break;
    case WaveSampleFormat::Int32:
      ScaleEach<std::int32_t>(sound.samples, gain);
      break;
    case WaveSampleFormat::Float32:
      ScaleEach<float>(sound.samples, gain);
      break;
  }
}

}  // namespace

void WaveSoundOutput::StopPlaying() {
  sndPlaySoundA(nullptr, 0);
  playing_.clear();
}

void WaveSoundOutput::SetGain(float gain) {
  gain_ = gain;
  if (gain_ <= 0) StopPlaying();
}

void WaveSoundOutput::StartPlaying(const SoundClip& clip) {
  if (gain_ <= 0) return;
  if (gain_ >= 1) {
    playing_ = WaveFileImage(clip.sound);
  } else {
    WaveSound quieter = clip.sound;
    ScaleSamples(quieter, gain_);
    playing_ = WaveFileImage(quieter);
  }
  sndPlaySoundA(reinterpret_cast<const char*>(playing_.data()), SND_ASYNC | SND_MEMORY | SND_NODEFAULT);
}
