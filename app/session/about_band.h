#pragma once
#include "app/session/game_host.h"
#include "cabinet/cabinet.h"

// The band's size and the box's timer, the same in every shell.
inline constexpr int kAboutBandWidth = 500;
inline constexpr int kAboutBandHeight = 100;
inline constexpr int kAboutBandTimerId = 1;
inline constexpr int kAboutBandPeriodMs = 50;

// The About box's drawing band, the same in every shell: a canvas of its
// own, made anew at each opening of the box, cleared to black at each
// expiry of the box's timer (kAboutBandTimerId every kAboutBandPeriodMs),
// after which the shell repaints it.
class AboutBandPicture {
 public:
  AboutBandPicture();
  void TimerExpired();
  PixelView Pixels() const;

 private:
  cabinet::FrameComposer composer_{kAboutBandWidth, kAboutBandHeight};
  DisplayList cleared_;
};
