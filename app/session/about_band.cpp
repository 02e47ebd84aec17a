#include "app/session/about_band.h"

AboutBandPicture::AboutBandPicture() { cleared_.calls.emplace_back().kind = DrawCallKind::ClearBlack; }

void AboutBandPicture::TimerExpired() { composer_.Compose(cleared_); }

PixelView AboutBandPicture::Pixels() const { return {composer_.Pixels(), composer_.Width(), composer_.Height()}; }
