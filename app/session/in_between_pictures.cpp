#include "app/session/in_between_pictures.h"

#include <algorithm>

void InBetweenPictures::AfterTick(const DisplayList& shown, const DisplayList& next) {
  from_ = shown;
  target_ = next;
  fromFraction_ = 0;
  lastFraction_ = 0;
  shownSinceTarget_ = false;
}

void InBetweenPictures::Retarget(const DisplayList& next) {
  if (shownSinceTarget_) {
    // What is on screen is where the way to the new target starts.
    std::swap(from_, between_);
    fromFraction_ = lastFraction_;
  }
  target_ = next;
  shownSinceTarget_ = false;
}

const DisplayList& InBetweenPictures::At(double fraction) {
  fraction = std::clamp(fraction, 0.0, 1.0);
  // Time goes one way: a picture is never asked for before the last one.
  fraction = std::max(fraction, fromFraction_);
  const double left = 1 - fromFraction_;
  const double along = left > 0 ? (fraction - fromFraction_) / left : 1;
  cabinet::ListInBetween(from_, target_, along, between_);
  lastFraction_ = fraction;
  shownSinceTarget_ = true;
  return between_;
}
