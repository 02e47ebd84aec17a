#include "tools/artgen/wav_file.h"

#include <algorithm>
#include <cmath>

namespace artgen {

Bytes EncodeWave(const std::vector<double>& samples, int sampleRate) {
  const std::uint32_t dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
  Bytes out;
  out.reserve(44 + dataBytes);
  PutText(out, "RIFF");
  PutLe32(out, 36 + dataBytes);
  PutText(out, "WAVE");
  PutText(out, "fmt ");
  PutLe32(out, 16);
  PutLe16(out, 1);  // PCM
  PutLe16(out, 1);  // mono
  PutLe32(out, static_cast<std::uint32_t>(sampleRate));
  PutLe32(out, static_cast<std::uint32_t>(sampleRate) * 2);
  PutLe16(out, 2);
  PutLe16(out, 16);
  PutText(out, "data");
  PutLe32(out, dataBytes);
  for (double s : samples) {
    const long v = std::lround(std::clamp(s, -1.0, 1.0) * 32767.0);
    PutLe16(out, static_cast<std::uint16_t>(static_cast<std::int16_t>(v)));
  }
  return out;
}

}  // namespace artgen
