#include "tools/artgen/wav_file.h"

#include <algorithm>
#include <cmath>

#include "formats/wave_file.h"

namespace artgen {

Bytes EncodeWave(const std::vector<double>& samples, int sampleRate) {
  WaveSound sound;
  sound.sampleRate = sampleRate;
  sound.channels = 1;
  sound.format = WaveSampleFormat::Int16;
  sound.samples.reserve(samples.size() * 2);
  for (double s : samples) {
    const auto v =
        static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(std::clamp(s, -1.0, 1.0) * 32767.0)));
    sound.samples.push_back(static_cast<std::uint8_t>(v & 0xff));
    sound.samples.push_back(static_cast<std::uint8_t>(v >> 8));
  }
  // The file around the samples is the one every wave the game plays from memory gets.
  return WaveFileImage(sound);
}

}  // namespace artgen
