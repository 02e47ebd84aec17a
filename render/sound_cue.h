#pragma once
#include <cstdint>
#include <string>

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

// The last cue requested and the tick it was requested in. As a new sound
// cuts off the one playing, it is the only sound that may still be playing,
// so a game continued from a snapshot needs it to sound the same.
struct LastSoundCue {
  std::string name;  // empty: none since the creation reset
  std::int64_t tick = 0;
};
const LastSoundCue& LastCue();
void RestoreLastCue(LastSoundCue cue);
// The tick now running, which the next requests are recorded under.
void SetCueTick(std::int64_t tick);
