#pragma once
#include <map>
#include <string>
#include <vector>

// The sound files of the cues, as the video's sound track needs them: mono
// samples at its rate. Each file is read from the asset folder the first
// time it is asked for; one that is missing or not a playable wave sounds
// as the stand-in beep, as in the window.
class CueSounds {
 public:
  CueSounds(std::string assetsDir, int sampleRate);
  const std::vector<float>& Get(const std::string& waveFile);

 private:
  std::string assetsDir_;
  int sampleRate_;
  std::map<std::string, std::vector<float>> clips_;
};
