#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <utility>
#include <vector>

// The sound track of a run, rendered a tick at a time and played with the
// cabinet's one voice. A cue requested during a tick starts where that
// tick's frame starts, so of several requests in one tick only the last is
// heard.
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
  // The track's voice: the clip sounding, and how far into it.
  // One voice: a cue starts from its beginning and cuts off the last one.
  class Voice {
   public:
    explicit Voice(ClipSource clips) : clips_(std::move(clips)) {}
    void Play(const std::string& waveFile) {
      playing = &clips_(waveFile);
      position = 0;
    }
    const std::vector<float>* playing = nullptr;
    std::size_t position = 0;

   private:
    ClipSource clips_;
  };

  std::size_t samplesPerTick_;
  Voice voice_;
};
