#include "app/qt/wave_clip.h"

#include "formats/wave_file.h"

namespace {

QAudioFormat::SampleFormat SinkSampleFormat(WaveSampleFormat format) {
  switch (format) {
    case WaveSampleFormat::UInt8:
      return QAudioFormat::UInt8;
    case WaveSampleFormat::Int16:
      return QAudioFormat::Int16;
    case WaveSampleFormat::Int32:
      return QAudioFormat::Int32;
    case WaveSampleFormat::Float32:
      return QAudioFormat::Float;
  }
  return QAudioFormat::Unknown;
}

}  // namespace

WaveClip ClipOf(const WaveSound& sound) {
  WaveClip clip;
  clip.format.setSampleRate(sound.sampleRate);
  clip.format.setChannelCount(sound.channels);
  clip.format.setSampleFormat(SinkSampleFormat(sound.format));
  clip.samples =
      QByteArray(reinterpret_cast<const char*>(sound.samples.data()), static_cast<qsizetype>(sound.samples.size()));
  return clip;
}

std::optional<WaveClip> ParseWave(const QByteArray& file) {
  const std::optional<WaveSound> sound =
      ReadWave(reinterpret_cast<const std::uint8_t*>(file.constData()), static_cast<std::size_t>(file.size()));
  if (!sound) return std::nullopt;
  return ClipOf(*sound);
}

WaveClip FallbackBeep() { return ClipOf(FallbackBeepSound()); }
