#pragma once

// Where the game's sound requests go. A front end plays them; the headless
// runner lists them in its trace.
class SoundOutput {
 public:
  virtual ~SoundOutput() = default;
  // Start playing the named wave file at once, cutting off any sound still
  // playing; must return without waiting.
  virtual void Play(const char* waveFile) = 0;
};

void SetSoundOutput(SoundOutput* output);  // not owned; null for silence
void PlaySoundCue(const char* waveFile);
