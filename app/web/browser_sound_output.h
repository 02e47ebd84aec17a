#pragma once
#include "render/sound_cue.h"

// Stops and starts the page's Web Audio player (shell.js) for each cue.
// Nothing here waits: before the first key press or click the page may not
// play sound at all, and the cue is then simply not heard.
class BrowserSoundOutput : public OneVoiceOutput {
 private:
  void StopPlaying() override;
  void StartPlaying(const char* waveFile) override;
};
