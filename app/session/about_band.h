#pragma once
#include "app/about_band.h"
#include "app/session/game_host.h"
#include "cabinet/cabinet.h"

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
