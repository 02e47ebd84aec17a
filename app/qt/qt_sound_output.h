#pragma once
#include <QAudioDevice>
#include <QBuffer>
#include <memory>

#include "app/session/sound_bank.h"

class QAudioSink;

// Plays the game's sound cues on the default audio output, with the
// cabinet's one voice. Without any audio output
// the cues are read and dropped, and the game goes on silent.
class QtSoundOutput : public SoundPlayer {
 public:
  QtSoundOutput();
  ~QtSoundOutput() override;

  bool HasDevice() const { return !device_.isNull(); }
  void StopPlaying() override;

  // Every sound from now on, and the one playing, at `gain` (0 to 1); at 0
  // nothing plays at all.
  void SetGain(float gain);
  float Gain() const { return gain_; }

 private:
  void StartPlaying(const SoundClip& sound) override;

  QAudioDevice device_;
  std::unique_ptr<QAudioSink> sink_;
  std::unique_ptr<QBuffer> source_;
  float gain_ = 1;
};
