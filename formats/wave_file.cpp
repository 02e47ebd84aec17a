#include "formats/wave_file.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr std::uint16_t kFormatPcm = 1;
constexpr std::uint16_t kFormatFloat = 3;
constexpr std::uint16_t kFormatExtensible = 0xFFFE;
constexpr int kMaxChannels = 8;
constexpr int kMaxSampleRate = 768000;

std::uint16_t Read16(const std::uint8_t* at) { return static_cast<std::uint16_t>(at[0] | at[1] << 8); }
std::uint32_t Read32(const std::uint8_t* at) {
  return std::uint32_t(at[0]) | std::uint32_t(at[1]) << 8 | std::uint32_t(at[2]) << 16 | std::uint32_t(at[3]) << 24;
}

struct FormatChunk {
  std::uint16_t tag = 0;
  int channels = 0;
  int sampleRate = 0;
  int blockAlign = 0;
  int bits = 0;
};

std::optional<FormatChunk> ReadFormat(const std::uint8_t* body, std::int64_t size) {
  if (size < 16) return std::nullopt;
  FormatChunk format;
  format.tag = Read16(body);
  format.channels = Read16(body + 2);
  format.sampleRate = static_cast<int>(std::min<std::uint32_t>(Read32(body + 4), kMaxSampleRate + 1));
  format.blockAlign = Read16(body + 12);
  format.bits = Read16(body + 14);
  // The extensible layout names the real format in its sub-format's first two bytes.
  if (format.tag == kFormatExtensible) {
    if (size < 26) return std::nullopt;
    format.tag = Read16(body + 24);
  }
  return format;
}

std::optional<WaveSampleFormat> OutputFormat(const FormatChunk& format) {
  if (format.tag == kFormatFloat) {
    if (format.bits == 32) return WaveSampleFormat::Float32;
    return std::nullopt;
  }
  if (format.tag != kFormatPcm) return std::nullopt;
  switch (format.bits) {
    case 8:
      return WaveSampleFormat::UInt8;
    case 16:
      return WaveSampleFormat::Int16;
    case 24:
    case 32:
      return WaveSampleFormat::Int32;
    default:
      return std::nullopt;
  }
}

std::vector<std::uint8_t> Widen24To32(const std::vector<std::uint8_t>& samples) {
  const std::size_t count = samples.size() / 3;
  std::vector<std::uint8_t> wide(count * 4);
  for (std::size_t i = 0; i < count; ++i) {
    wide[4 * i] = 0;
    std::memcpy(&wide[4 * i + 1], &samples[3 * i], 3);
  }
  return wide;
}

}  // namespace

int WaveSampleBytes(WaveSampleFormat format) {
  switch (format) {
    case WaveSampleFormat::UInt8:
      return 1;
    case WaveSampleFormat::Int16:
      return 2;
    default:
      return 4;
  }
}

std::optional<WaveSound> ReadWave(const std::uint8_t* bytes, std::size_t fileSize) {
  const std::int64_t size = static_cast<std::int64_t>(fileSize);
  if (size < 12 || std::memcmp(bytes, "RIFF", 4) != 0 || std::memcmp(bytes + 8, "WAVE", 4) != 0) return std::nullopt;

  std::optional<FormatChunk> format;
  const std::uint8_t* data = nullptr;
  std::int64_t dataSize = 0;
  for (std::int64_t at = 12; at + 8 <= size;) {
    const std::uint8_t* id = bytes + at;
    const std::int64_t declared = Read32(bytes + at + 4);
    const std::int64_t body = at + 8;
    const std::int64_t available = std::min(declared, size - body);
    if (std::memcmp(id, "fmt ", 4) == 0) {
      format = ReadFormat(bytes + body, available);
    } else if (std::memcmp(id, "data", 4) == 0 && !data) {
      data = bytes + body;
      dataSize = available;
    }
    at = body + declared + (declared & 1);  // chunks are padded to even sizes
  }
  if (!format || !data) return std::nullopt;

  const std::optional<WaveSampleFormat> sampleFormat = OutputFormat(*format);
  if (!sampleFormat || format->channels < 1 || format->channels > kMaxChannels || format->sampleRate < 1 ||
      format->sampleRate > kMaxSampleRate || format->blockAlign != format->channels * format->bits / 8)
    return std::nullopt;

  const std::int64_t whole = dataSize - dataSize % format->blockAlign;  // whole frames only
  if (whole <= 0) return std::nullopt;

  WaveSound sound;
  sound.sampleRate = format->sampleRate;
  sound.channels = format->channels;
  sound.format = *sampleFormat;
  sound.samples.assign(data, data + whole);
  if (format->bits == 24) sound.samples = Widen24To32(sound.samples);
  return sound;
}

WaveSound FallbackBeepSound() {
  constexpr int kRate = 22050;
  constexpr int kLength = kRate * 15 / 100;  // 150 ms
  constexpr double kPitch = 880.0;
  constexpr double kPi = 3.14159265358979323846;
  WaveSound beep;
  beep.sampleRate = kRate;
  beep.channels = 1;
  beep.format = WaveSampleFormat::Int16;
  beep.samples.resize(kLength * 2);
  for (int i = 0; i < kLength; ++i) {
    // Short ramps at both ends keep the edges from clicking.
    const double ramp = std::min({1.0, i / 200.0, (kLength - 1 - i) / 200.0});
    const double value = 0.35 * ramp * std::sin(2.0 * kPi * kPitch * i / kRate);
    const auto sample = static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(value * 32767.0)));
    beep.samples[2 * i] = static_cast<std::uint8_t>(sample);
    beep.samples[2 * i + 1] = static_cast<std::uint8_t>(sample >> 8);
  }
  return beep;
}

std::vector<std::uint8_t> WaveFileImage(const WaveSound& sound) {
  const int bytes = WaveSampleBytes(sound.format);
  const auto dataSize = static_cast<std::uint32_t>(sound.samples.size());
  std::vector<std::uint8_t> image;
  image.reserve(44 + sound.samples.size());
  auto put = [&image](std::uint32_t value, int width) {
    for (int i = 0; i < width; ++i) image.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
  };
  auto tag = [&image](const char* text) {
    for (int i = 0; i < 4; ++i) image.push_back(static_cast<std::uint8_t>(text[i]));
  };
  tag("RIFF");
  put(36 + dataSize, 4);
  tag("WAVE");
  tag("fmt ");
  put(16, 4);
  put(sound.format == WaveSampleFormat::Float32 ? 3 : 1, 2);  // PCM, or IEEE float
  put(static_cast<std::uint32_t>(sound.channels), 2);
  put(static_cast<std::uint32_t>(sound.sampleRate), 4);
  put(static_cast<std::uint32_t>(sound.sampleRate * sound.channels * bytes), 4);
  put(static_cast<std::uint32_t>(sound.channels * bytes), 2);
  put(static_cast<std::uint32_t>(8 * bytes), 2);
  tag("data");
  put(dataSize, 4);
  image.insert(image.end(), sound.samples.begin(), sound.samples.end());
  return image;
}
