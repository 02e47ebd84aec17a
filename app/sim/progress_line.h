#pragma once
#include <chrono>
#include <cstdio>
#include <string>

// Tells how far a long run has come: percent done, ticks done out of all,
// ticks a second and the time left, and for a video the file it writes.
//
// On a terminal it is one line that rewrites itself, shown only once a run
// has taken a few seconds, so short runs print nothing. Where the stream is
// not a terminal a plain run stays silent (a file or a pipe gets no progress
// noise), while a video, which takes minutes and is often made by a script,
// gets one line at every tenth of the way.
class ProgressLine {
 public:
  using Clock = std::chrono::steady_clock;
  enum class Mode { Silent, Live, Tenths };

  // `out` null: silent. `runOutput`, where the run writes its results, being
  // a terminal silences the live line too: the line would only be torn up
  // there. `file` names the video being written (empty for a plain run).
  ProgressLine(long long totalTicks, std::FILE* out, std::FILE* runOutput, const std::string& file = {});
  ProgressLine(long long totalTicks, std::FILE* out, Mode mode, Clock::time_point start, const std::string& file = {});

  void Update(long long ticksDone) {
    if (mode_ != Mode::Silent) Update(ticksDone, Clock::now());  // no clock reads when silent
  }
  void Update(long long ticksDone, Clock::time_point now);
  // Leaves the final count on its own line, if the live line was ever shown.
  void Finish() { Finish(Clock::now()); }
  void Finish(Clock::time_point now);

  static constexpr std::chrono::milliseconds kQuietStart{3000};
  static constexpr std::chrono::milliseconds kRefresh{500};

 private:
  void Print(long long ticksDone, Clock::time_point now, const char* lead, const char* tail);

  long long total_;
  std::FILE* out_;
  Mode mode_;
  std::string file_;
  bool shown_ = false;
  long long done_ = 0;
  int tenthsShown_ = 0;
  Clock::time_point start_;
  Clock::time_point nextPrint_;
};

// "42 s", "3 min 5 s", "1 h 2 min": a span as a player reads it.
std::string SpokenDuration(double seconds);

// The line that ends a video run: the file, how long the video plays and
// how large it is, e.g. "marobel-sim: wrote game.mp4: 10 min 0 s of video
// (3000 frames), 4.2 MB".
std::string VideoResultLine(const std::string& file, long long frames, int framesPerSecond, long long bytes);
