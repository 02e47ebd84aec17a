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

// Reads a RIFF wave file held in memory, with the acceptance rules of
// ReadWave (formats/wave_file.h): what it refuses gives nothing here.
std::optional<WaveClip> ParseWave(const QByteArray& file);

// The short beep that stands in for a sound file that cannot be played.
WaveClip FallbackBeep();

struct WaveSound;
// A sound the game session resolved, as an audio sink takes it.
WaveClip ClipOf(const WaveSound& sound);
