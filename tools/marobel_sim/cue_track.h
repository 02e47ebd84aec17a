#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

// The sound track of a run, rendered a tick at a time with the game's rule
// for its cues: one sound at a time, and a new request cuts off the sound
// that is playing. A cue requested during a tick starts where that tick's
// frame starts, so of several requests in one tick only the last is heard.
class CueTrack {
 public:
  // The samples of a wave file at the track's rate, mono; the reference
  // must stay valid for the life of the track.
  using ClipSource = std::function<const std::vector<float>&(const std::string& waveFile)>;

  CueTrack(std::size_t samplesPerTick, ClipSource clips);

  // Appends one tick's samples to `out`, `requests` being that tick's sound
  // requests in the order they were made.
  void AddTick(const std::vector<std::string>& requests, std::vector<float>& out);

  // For a game continued from a snapshot: the sound that may still be
  // playing, `ticksPlayed` ticks into it, goes on where it was (and is cut
  // off like any other).
  void Continue(const std::string& waveFile, std::size_t ticksPlayed);

 private:
  std::size_t samplesPerTick_;
  ClipSource clips_;
  const std::vector<float>* playing_ = nullptr;
  std::size_t position_ = 0;
};
