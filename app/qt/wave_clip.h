#pragma once
#include <QAudioFormat>
#include <QByteArray>
#include <QString>
#include <optional>

// One sound ready for an audio sink: its sample format and raw samples.
struct WaveClip {
  QAudioFormat format;
  QByteArray samples;
};

// Reads a RIFF wave file held in memory: integer PCM of 8, 16, 24 or 32 bits
// or 32-bit float, any channel count up to 8. 24-bit samples are widened to
// 32 bits, as audio sinks take no 24-bit format. A data chunk that claims
// more than the file holds is cut to what is there. Anything else, or a
// file without samples, gives nothing.
std::optional<WaveClip> ParseWave(const QByteArray& file);

// The short beep that stands in for a sound file that cannot be played.
WaveClip FallbackBeep();

// The sound for a cue: the named file, read from disk now (never cached, so
// a replaced file is heard at its next cue), or the beep when the file is
// missing or not a playable wave.
WaveClip LoadCue(const QString& fileName);
