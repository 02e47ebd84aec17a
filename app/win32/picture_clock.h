#pragma once
#include <windows.h>

// The clock of the pictures a window shows between ticks: how long ago the
// last tick came, from the performance counter, and a window timer at about
// the screen's rate whose expiries ask for those pictures. The tick timer
// is the session's own and this clock never touches it: a picture that
// comes late is only further on the way, and one that does not come at all
// is simply not seen.
class PictureClock {
 public:
  // The window timer's id, apart from the session's tick timer.
  static constexpr UINT_PTR kTimerId = 0x534D;

  ~PictureClock() { Run(false); }
  // The window whose timer it is; the clock starts as if a tick came now.
  void Bind(HWND window);

  // Runs while smooth motion is on. Off, the window is painted at ticks
  // only and the system's timer resolution is left as it was.
  void Run(bool on);
  // At each tick's timer expiry, before the tick runs.
  void TickStarted();
  double MsSinceTick() const;

 private:
  HWND window_ = nullptr;
  bool running_ = false;
  LARGE_INTEGER frequency_{};
  LARGE_INTEGER tickAt_{};
};
