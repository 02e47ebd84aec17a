#pragma once
#include "app/session/sound_bank.h"

// Stops and starts the page's Web Audio player (shell.js), handing it each
// cue's samples as the session resolved them. Nothing here waits: before
// the first key press or click the page may not play sound at all, and the
// cue is then simply not heard.
class BrowserSoundOutput : public SoundPlayer {
 public:
  void StopPlaying() override;
  // The page makes its buffer of `clip` now, ahead of its first cue, so
  // that playing one never waits.
  void Prepare(const SoundClip& clip);

 private:
  void StartPlaying(const SoundClip& clip) override;
};
