#include "tools/marobel_sim/progress_line.h"

#include <unistd.h>

namespace {

bool IsTerminal(std::FILE* stream) { return stream && ::isatty(::fileno(stream)); }

}  // namespace

ProgressLine::ProgressLine(long long totalTicks, std::FILE* out, std::FILE* runOutput)
    : ProgressLine(totalTicks, out, IsTerminal(out) && !IsTerminal(runOutput), Clock::now()) {}

ProgressLine::ProgressLine(long long totalTicks, std::FILE* out, bool enabled, Clock::time_point start)
    : total_(totalTicks), out_(out), enabled_(enabled && out), start_(start), nextPrint_(start + kQuietStart) {}

void ProgressLine::Update(long long ticksDone, Clock::time_point now) {
  done_ = ticksDone;
  if (!enabled_ || now < nextPrint_) return;
  Print(ticksDone, now);
  nextPrint_ = now + kRefresh;
}

void ProgressLine::Finish(Clock::time_point now) {
  if (!shown_) return;
  Print(done_, now);
  std::fputc('\n', out_);
  std::fflush(out_);
}

void ProgressLine::Print(long long ticksDone, Clock::time_point now) {
  const double seconds = std::chrono::duration<double>(now - start_).count();
  const double rate = seconds > 0 ? ticksDone / seconds : 0.0;
  // Carriage return and erase-to-end: the line rewrites itself in place.
  std::fprintf(out_, "\rmarobel-sim: %lld of %lld ticks, %.0f ticks/s\x1b[K", ticksDone, total_, rate);
  std::fflush(out_);
  shown_ = true;
}
