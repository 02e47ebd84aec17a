#include "app/qt/wave_clip.h"

#include <QFile>
#include <QtEndian>
#include <cmath>
#include <cstring>

namespace {

constexpr quint16 kFormatPcm = 1;
constexpr quint16 kFormatFloat = 3;
constexpr quint16 kFormatExtensible = 0xFFFE;
constexpr int kMaxChannels = 8;
constexpr int kMaxSampleRate = 768000;

quint16 Read16(const char* at) { return qFromLittleEndian<quint16>(at); }
quint32 Read32(const char* at) { return qFromLittleEndian<quint32>(at); }

struct FormatChunk {
  quint16 tag = 0;
  int channels = 0;
  int sampleRate = 0;
  int blockAlign = 0;
  int bits = 0;
};

std::optional<FormatChunk> ReadFormat(const char* body, qint64 size) {
  if (size < 16) return std::nullopt;
  FormatChunk format;
  format.tag = Read16(body);
  format.channels = Read16(body + 2);
  format.sampleRate = static_cast<int>(std::min<quint32>(Read32(body + 4), kMaxSampleRate + 1));
  format.blockAlign = Read16(body + 12);
  format.bits = Read16(body + 14);
  // The extensible layout names the real format in its sub-format's first two bytes.
  if (format.tag == kFormatExtensible) {
    if (size < 26) return std::nullopt;
    format.tag = Read16(body + 24);
  }
  return format;
}

std::optional<QAudioFormat::SampleFormat> SinkSampleFormat(const FormatChunk& format) {
  if (format.tag == kFormatFloat) {
    if (format.bits == 32) return QAudioFormat::Float;
    return std::nullopt;
  }
  if (format.tag != kFormatPcm) return std::nullopt;
  switch (format.bits) {
    case 8: return QAudioFormat::UInt8;
    case 16: return QAudioFormat::Int16;
    case 24: case 32: return QAudioFormat::Int32;
    default: return std::nullopt;
  }
}

QByteArray Widen24To32(const QByteArray& samples) {
  const qsizetype count = samples.size() / 3;
  QByteArray wide(count * 4, Qt::Uninitialized);
  for (qsizetype i = 0; i < count; ++i) {
    const auto* from = reinterpret_cast<const unsigned char*>(samples.constData()) + 3 * i;
    const quint32 value = (quint32(from[0]) << 8) | (quint32(from[1]) << 16) | (quint32(from[2]) << 24);
    qToLittleEndian<quint32>(value, wide.data() + 4 * i);
  }
  return wide;
}

}  // namespace

std::optional<WaveClip> ParseWave(const QByteArray& file) {
  const char* bytes = file.constData();
  const qint64 size = file.size();
  if (size < 12 || std::memcmp(bytes, "RIFF", 4) != 0 || std::memcmp(bytes + 8, "WAVE", 4) != 0)
    return std::nullopt;

  std::optional<FormatChunk> format;
  QByteArray samples;
  bool haveData = false;
  for (qint64 at = 12; at + 8 <= size;) {
    const char* id = bytes + at;
    const qint64 declared = Read32(bytes + at + 4);
    const qint64 body = at + 8;
    const qint64 available = std::min(declared, size - body);
    if (std::memcmp(id, "fmt ", 4) == 0) {
      format = ReadFormat(bytes + body, available);
    } else if (std::memcmp(id, "data", 4) == 0 && !haveData) {
      samples = file.mid(body, available);
      haveData = true;
    }
    at = body + declared + (declared & 1);  // chunks are padded to even sizes
  }
  if (!format || !haveData) return std::nullopt;

  const std::optional<QAudioFormat::SampleFormat> sampleFormat = SinkSampleFormat(*format);
  if (!sampleFormat || format->channels < 1 || format->channels > kMaxChannels || format->sampleRate < 1 ||
      format->sampleRate > kMaxSampleRate || format->blockAlign != format->channels * format->bits / 8)
    return std::nullopt;

  samples.truncate(samples.size() - samples.size() % format->blockAlign);  // whole frames only
  if (samples.isEmpty()) return std::nullopt;
  if (format->bits == 24) samples = Widen24To32(samples);

  WaveClip clip;
  clip.format.setSampleRate(format->sampleRate);
  clip.format.setChannelCount(format->channels);
  clip.format.setSampleFormat(*sampleFormat);
  clip.samples = samples;
  return clip;
}

WaveClip FallbackBeep() {
  constexpr int kRate = 22050;
  constexpr int kLength = kRate * 15 / 100;  // 150 ms
  constexpr double kPitch = 880.0;
  constexpr double kPi = 3.14159265358979323846;
  WaveClip clip;
  clip.format.setSampleRate(kRate);
  clip.format.setChannelCount(1);
  clip.format.setSampleFormat(QAudioFormat::Int16);
  clip.samples.resize(kLength * 2);
  for (int i = 0; i < kLength; ++i) {
    // Short ramps at both ends keep the edges from clicking.
    const double ramp = std::min({1.0, i / 200.0, (kLength - 1 - i) / 200.0});
    const double value = 0.35 * ramp * std::sin(2.0 * kPi * kPitch * i / kRate);
    qToLittleEndian<qint16>(static_cast<qint16>(std::lround(value * 32767.0)), clip.samples.data() + 2 * i);
  }
  return clip;
}

WaveClip LoadCue(const QString& fileName) {
  QFile file(fileName);
  if (file.open(QIODevice::ReadOnly)) {
    if (std::optional<WaveClip> clip = ParseWave(file.readAll())) return *std::move(clip);
  }
  return FallbackBeep();
}
