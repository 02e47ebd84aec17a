// libFuzzer target: any byte string offered as a sound file must either be
// refused or give a sound the audio outputs can take as it is: a known
// sample layout, a channel count and rate in range, and whole frames of
// samples no larger than the file could hold. AddressSanitizer catches any
// stray read.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "formats/wave_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::optional<WaveSound> sound = ReadWave(data, size);
  if (!sound) return 0;
  if (sound->channels < 1 || sound->channels > 8 || sound->sampleRate < 1 || sound->sampleRate > 768000) std::abort();
  const std::size_t frame = static_cast<std::size_t>(sound->channels) * WaveSampleBytes(sound->format);
  if (sound->samples.empty() || sound->samples.size() % frame != 0) std::abort();
  // 24-bit samples widen to 32 bits: at most four bytes out for three in.
  if (sound->samples.size() > size / 3 * 4) std::abort();
  return 0;
}
