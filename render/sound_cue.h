#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Test aid: hears every sound request as it is made.
class SoundOutput {
 public:
  virtual ~SoundOutput() = default;
  virtual void Play(const char* waveFile) = 0;
};
// Not owned; null for nobody. Gives back the one it replaces.
SoundOutput* SetSoundOutput(SoundOutput* output);

// A request to play the named wave file (a name of the sound table, which
// outlives every list it is put in). The cabinet has one voice: whoever
// plays the requests starts each at once and cuts off the one sounding.
void PlaySoundCue(const char* waveFile);

// The requests made since they were last taken, in request order.
const std::vector<std::string_view>& PendingSoundCues();
void ClearSoundCues();
// The requests set aside while a tick is worked out on a copy of the game.
std::vector<std::string_view> TakeSoundCues();
void PutBackSoundCues(std::vector<std::string_view> cues);

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
