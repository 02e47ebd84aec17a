#pragma once
#include <QAudioDevice>
#include <QBuffer>
#include <memory>

#include "render/sound_cue.h"

class QAudioSink;

// Plays the game's sound cues on the default audio output: one at a time,
// each new cue cutting off the one still sounding. Without any audio output
// the cues are read and dropped, and the game goes on silent.
class QtSoundOutput : public SoundOutput {
 public:
  QtSoundOutput();
  ~QtSoundOutput() override;

  void Play(const char* waveFile) override;

  bool HasDevice() const { return !device_.isNull(); }

 private:
  void Stop();

  QAudioDevice device_;
  std::unique_ptr<QAudioSink> sink_;
  std::unique_ptr<QBuffer> source_;
};
