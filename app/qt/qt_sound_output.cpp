#include "app/qt/qt_sound_output.h"

#include <QAudioSink>
#include <QMediaDevices>
#include <string>

#include "app/qt/wave_clip.h"

QtSoundOutput::QtSoundOutput() : device_(QMediaDevices::defaultAudioOutput()) {}

QtSoundOutput::~QtSoundOutput() { StopPlaying(); }

void QtSoundOutput::StopPlaying() {
  if (sink_) sink_->stop();
  sink_.reset();
  source_.reset();
}

void QtSoundOutput::SetGain(float gain) {
  gain_ = gain;
  if (gain_ <= 0)
    StopPlaying();
  else if (sink_)
    sink_->setVolume(gain_);
}

void QtSoundOutput::StartPlaying(const SoundClip& sound) {
  WaveClip clip = ClipOf(sound.sound);
  if (device_.isNull() || gain_ <= 0) return;
  if (!device_.isFormatSupported(clip.format)) return;

  source_ = std::make_unique<QBuffer>();
  source_->setData(clip.samples);
  source_->open(QIODevice::ReadOnly);
  sink_ = std::make_unique<QAudioSink>(device_, clip.format);
  sink_->setVolume(gain_);
  sink_->start(source_.get());  // returns at once; the sink pulls from the buffer
}
