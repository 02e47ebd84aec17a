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

// The cabinet has one voice: a cue starts at once, from its beginning, and
// the one still sounding stops. Every player of the game's sounds (the
// windows, the page, the videos' sound track) is one of these, so that the
// rule is written here alone; a player says only how it stops its sound
// and how it starts one.
class OneVoiceOutput : public SoundOutput {
 public:
  void Play(const char* waveFile) final {
    StopPlaying();
    StartPlaying(waveFile ? waveFile : "");
  }

 protected:
  virtual void StopPlaying() = 0;
  // A file that cannot be played sounds the one stand-in tone instead.
  virtual void StartPlaying(const char* waveFile) = 0;
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
