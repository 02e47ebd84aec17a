#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

// The sample layouts a wave file may hand on to an audio output.
enum class WaveSampleFormat { UInt8, Int16, Int32, Float32 };

// One sound: interleaved little-endian samples of `channels` channels.
struct WaveSound {
  int sampleRate = 0;
  int channels = 0;
  WaveSampleFormat format = WaveSampleFormat::Int16;
  std::vector<std::uint8_t> samples;
};

// Bytes per sample of one channel in `format`.
int WaveSampleBytes(WaveSampleFormat format);

// Reads a RIFF wave file held in memory: integer PCM of 8, 16, 24 or 32 bits
// or 32-bit float, any channel count up to 8. 24-bit samples are widened to
// 32 bits, as audio outputs take no 24-bit format. A data chunk that claims
// more than the file holds is cut to what is there. Anything else, or a
// file without samples, gives nothing.
std::optional<WaveSound> ReadWave(const std::uint8_t* data, std::size_t size);

// The short beep that stands in for a sound file that cannot be played, as
// the platform's default sound does where the game runs on Windows.
WaveSound FallbackBeepSound();

// A whole RIFF wave file of `sound` (integer PCM or float), as players that
// take a file from memory want it; ReadWave reads it back the same.
std::vector<std::uint8_t> WaveFileImage(const WaveSound& sound);
