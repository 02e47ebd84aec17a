#include "app/sim/progress_line.h"

#include <unistd.h>

#include <cmath>

#include "app/session/printable_text.h"

namespace {

bool IsTerminal(std::FILE* stream) { return stream && ::isatty(::fileno(stream)); }

ProgressLine::Mode ModeFor(std::FILE* out, std::FILE* runOutput, bool video) {
  if (!out) return ProgressLine::Mode::Silent;
  if (IsTerminal(out)) return IsTerminal(runOutput) ? ProgressLine::Mode::Silent : ProgressLine::Mode::Live;
  return video ? ProgressLine::Mode::Tenths : ProgressLine::Mode::Silent;
}

}  // namespace

std::string SpokenDuration(double seconds) {
  const long long s = seconds > 0 ? std::llround(seconds) : 0;
  if (s < 60) return std::to_string(s) + " s";
  if (s < 3600) return std::to_string(s / 60) + " min " + std::to_string(s % 60) + " s";
  return std::to_string(s / 3600) + " h " + std::to_string(s % 3600 / 60) + " min";
}

std::string VideoResultLine(const std::string& file, long long frames, int framesPerSecond, long long bytes) {
  char size[32];
  if (bytes >= 1000 * 1000)
    std::snprintf(size, sizeof size, "%.1f MB", bytes / 1e6);
  else
    std::snprintf(size, sizeof size, "%.0f kB", std::ceil(bytes / 1e3));
  return "marobel-sim: wrote " + PrintableExcerpt(file) + ": " +
         SpokenDuration(static_cast<double>(frames) / framesPerSecond) + " of video (" + std::to_string(frames) +
         " frames), " + size;
}

ProgressLine::ProgressLine(long long totalTicks, std::FILE* out, std::FILE* runOutput, const std::string& file)
    : ProgressLine(totalTicks, out, ModeFor(out, runOutput, !file.empty()), Clock::now(), file) {}

ProgressLine::ProgressLine(long long totalTicks, std::FILE* out, Mode mode, Clock::time_point start,
                           const std::string& file)
    : total_(totalTicks),
      out_(out),
      mode_(out ? mode : Mode::Silent),
      file_(PrintableExcerpt(file)),
      start_(start),
      nextPrint_(start + kQuietStart) {}

void ProgressLine::Update(long long ticksDone, Clock::time_point now) {
  done_ = ticksDone;
  if (mode_ == Mode::Tenths) {
    const int tenths = total_ > 0 ? static_cast<int>(ticksDone * 10 / total_) : 10;
    if (tenths <= tenthsShown_) return;
    tenthsShown_ = tenths;
    Print(ticksDone, now, "", "\n");
    return;
  }
  if (mode_ != Mode::Live || now < nextPrint_) return;
  // Carriage return and erase-to-end: the line rewrites itself in place.
  Print(ticksDone, now, "\r", "\x1b[K");
  nextPrint_ = now + kRefresh;
}

void ProgressLine::Finish(Clock::time_point now) {
  if (mode_ != Mode::Live || !shown_) return;
  Print(done_, now, "\r", "\x1b[K\n");
}

void ProgressLine::Print(long long ticksDone, Clock::time_point now, const char* lead, const char* tail) {
  const double seconds = std::chrono::duration<double>(now - start_).count();
  const double rate = seconds > 0 ? ticksDone / seconds : 0.0;
  const long long percent = total_ > 0 ? ticksDone * 100 / total_ : 100;
  std::string left = "time left unknown";
  if (rate > 0) left = SpokenDuration((total_ - ticksDone) / rate) + " left";
  const std::string what = file_.empty() ? std::string() : file_ + " ";
  std::fprintf(out_, "%smarobel-sim: %s%lld%% (%lld of %lld ticks), %.0f ticks/s, %s%s", lead, what.c_str(), percent,
               ticksDone, total_, rate, left.c_str(), tail);
  std::fflush(out_);
  shown_ = true;
}
