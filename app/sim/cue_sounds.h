#pragma once
#include <map>
#include <string>
#include <vector>

#include "app/sim/video_recording.h"

// The sounds of the cues, as the video's sound track needs them: mono
// samples at its rate, converted the first time each is asked for from
// the sound the game session resolved (its file or the stand-in beep, as
// in the window).
class CueSounds {
 public:
  CueSounds(SoundResolver resolver, int sampleRate);
  const std::vector<float>& Get(const std::string& waveFile);

 private:
  SoundResolver resolver_;
  int sampleRate_;
  std::map<std::string, std::vector<float>> clips_;
};
