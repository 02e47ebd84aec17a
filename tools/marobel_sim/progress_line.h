#pragma once
#include <chrono>
#include <cstdio>

// A line on a terminal that tells how far a long run has come: ticks done
// out of all, and ticks a second. It appears only once a run has taken a
// few seconds, so short runs print nothing, and never where the stream is
// not a terminal (a file or a pipe gets no progress noise).
class ProgressLine {
 public:
  using Clock = std::chrono::steady_clock;

  // `out` null or not a terminal: the line stays silent. So it does when
  // `runOutput`, where the run writes its results, is a terminal too: the
  // line would only be torn up there.
  ProgressLine(long long totalTicks, std::FILE* out, std::FILE* runOutput);
  ProgressLine(long long totalTicks, std::FILE* out, bool enabled, Clock::time_point start);

  void Update(long long ticksDone) {
    if (enabled_) Update(ticksDone, Clock::now());  // no clock reads when silent
  }
  void Update(long long ticksDone, Clock::time_point now);
  // Leaves the final count on its own line, if the line was ever shown.
  void Finish() { Finish(Clock::now()); }
  void Finish(Clock::time_point now);

  static constexpr std::chrono::milliseconds kQuietStart{3000};
  static constexpr std::chrono::milliseconds kRefresh{500};

 private:
  void Print(long long ticksDone, Clock::time_point now);

  long long total_;
  std::FILE* out_;
  bool enabled_;
  bool shown_ = false;
  long long done_ = 0;
  Clock::time_point start_;
  Clock::time_point nextPrint_;
};
