#pragma once
#include "cabinet/cabinet.h"

// What a window shows between two ticks: the tick on screen moving towards
// the next one, worked out ahead. When the next tick changes on the way (a
// key-down), the pictures go on from what is on screen, never jumping back.
class InBetweenPictures {
 public:
  // A tick has run and is on screen; `next` is the tick after it.
  void AfterTick(const DisplayList& shown, const DisplayList& next);
  // The tick after the one on screen is now `next`.
  void Retarget(const DisplayList& next);
  // The picture `fraction` (0 to 1) of the way from the tick on screen to
  // the next; at 1, the next tick's list itself.
  const DisplayList& At(double fraction);
  // The next tick as last worked out.
  const DisplayList& Target() const { return target_; }

 private:
  DisplayList from_, target_, between_;
  double fromFraction_ = 0;  // where `from_` was on screen
  double lastFraction_ = 0;  // the last picture asked for
  bool shownSinceTarget_ = false;
};
