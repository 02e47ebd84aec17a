#include "app/win32/picture_clock.h"

#include <mmsystem.h>

#include <algorithm>
#include <cmath>

namespace {

// The screen's refresh period; 60 Hz where the system does not say.
UINT RefreshPeriodMs(HWND window) {
  HDC dc = GetDC(window);
  const int hertz = dc ? GetDeviceCaps(dc, VREFRESH) : 0;
  if (dc) ReleaseDC(window, dc);
  const double period = 1000.0 / (hertz >= 20 ? hertz : 60);
  return std::max<UINT>(USER_TIMER_MINIMUM, static_cast<UINT>(std::lround(period)));
}

}  // namespace

void PictureClock::Run(bool on) {
  if (on == running_ || !window_) return;
  running_ = on;
  if (on) {
    // The default resolution of about 15.6 ms would let a 16 ms timer come
    // every other period only.
    timeBeginPeriod(1);
    SetTimer(window_, kTimerId, RefreshPeriodMs(window_), nullptr);
  } else {
    KillTimer(window_, kTimerId);
    timeEndPeriod(1);
  }
}

void PictureClock::Bind(HWND window) {
  window_ = window;
  QueryPerformanceFrequency(&frequency_);
  TickStarted();
}

void PictureClock::TickStarted() { QueryPerformanceCounter(&tickAt_); }

double PictureClock::MsSinceTick() const {
  LARGE_INTEGER now{};
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart - tickAt_.QuadPart) * 1000.0 / static_cast<double>(frequency_.QuadPart);
}
