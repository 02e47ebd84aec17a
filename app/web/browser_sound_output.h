#pragma once
#include "render/sound_cue.h"

// Hands every cue to the page's Web Audio player (shell.js), which starts
// it at once and cuts the one playing. Nothing here waits: before the first
// key press or click the page may not play sound at all, and the cue is
// then simply not heard.
class BrowserSoundOutput : public SoundOutput {
 public:
  void Play(const char* waveFile) override;
};
