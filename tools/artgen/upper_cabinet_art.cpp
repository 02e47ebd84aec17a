// top.bmp: the upper cabinet in front of the pusher's back end. From the top
// down: the two coin chutes and the name plate, a field of pins the falling
// coins rattle through, the prize board, the gate's track and the lower lip
// under which the pusher table slides.
#include <string>

#include "render/asset_names.h"
#include "tools/artgen/art_palette.h"
#include "tools/artgen/artwork.h"
#include "tools/artgen/pixel_font.h"
#include "tools/artgen/prize_board.h"

namespace artgen {

namespace {

constexpr int kWidth = asset::kUpperCabinetPicture.width;
constexpr int kHeight = asset::kUpperCabinetPicture.height;
// Coins enter at canvas x 160 and 238; the picture starts at canvas x 126.
constexpr int kLeftChute = 34;
constexpr int kRightChute = 112;
constexpr int kTrackTop = 118;  // the gate runs at canvas y 140..159
constexpr int kLipTop = 144;

void Glass(Picture& p) {
  const Rgb upper{20, 22, 58};
  const Rgb lower{34, 26, 80};
  p.GradientRect(0, 0, kWidth, kTrackTop, upper, lower);
  // A faint diagonal reflection across the glass.
  for (int y = 0; y < kTrackTop; ++y)
    for (int x = 0; x < kWidth; ++x) {
      const int d = x + y;
      if ((d > 40 && d < 52) || (d > 58 && d < 62)) p.Tint(x, y, Rgb{120, 120, 200}, 0.10);
    }
}

void Chute(Picture& p, int x) {
  p.FillRect(x - 4, 0, 23, 7, colour::kGoldDark);
  p.FillRect(x - 3, 0, 21, 6, colour::kGold);
  p.FillRect(x - 1, 0, 17, 4, Rgb{8, 4, 16});
  p.FillRect(x - 1, 4, 17, 1, colour::kGoldLight);
}

void NamePlate(Picture& p) {
  const std::string name = "MAROBEL";
  const int w = TextWidth(name) * 2;
  const int x = (kWidth - w) / 2;
  p.FillRect(x - 3, 8, w + 6, 14, colour::kBodyDark);
  p.FillRect(x - 3, 8, w + 6, 1, colour::kGold);
  p.FillRect(x - 3, 21, w + 6, 1, colour::kGold);
  DrawText(p, x + 1, 11, name, colour::kGoldDark, 2);
  DrawText(p, x, 10, name, colour::kGoldLight, 2);
}

void Pin(Picture& p, int x, int y) {
  p.FillEllipse(x + 0.5, y + 1.0, 1.6, 1.2, Rgb{10, 8, 30});  // shadow
  p.FillEllipse(x, y, 1.5, 1.5, Rgb{190, 150, 70});
  p.Set(x - 1, y - 1, Rgb{255, 240, 190});
}

void Pins(Picture& p) {
  for (int row = 0; row < 4; ++row) {
    const int y = 28 + row * 9;
    const int shift = row % 2 == 0 ? 0 : 7;
    for (int x = 8 + shift; x < kWidth - 6; x += 14) {
      if (y < 24 && x > 40 && x < 125) continue;
      Pin(p, x, y);
    }
  }
}

void GateTrack(Picture& p) {
  p.FillRect(0, kTrackTop, kWidth, 2, colour::kChromeLight);
  p.FillRect(0, kTrackTop + 2, kWidth, 1, colour::kChromeDark);
  p.GradientRect(0, kTrackTop + 3, kWidth, 20, Rgb{10, 6, 24}, Rgb{26, 16, 46});
  // Slots in the track floor show where a caught coin drops through.
  for (int x = 4; x < kWidth; x += 8) p.FillRect(x, kTrackTop + 9, 3, 8, Rgb{4, 2, 10});
  p.FillRect(0, kTrackTop + 23, kWidth, 1, colour::kChromeDark);
  p.FillRect(0, kTrackTop + 24, kWidth, 2, colour::kChromeLight);
}

void Lip(Picture& p) {
  p.GradientRect(0, kLipTop, kWidth, 9, colour::kBodyLight, colour::kBody);
  p.FillRect(0, kLipTop + 3, kWidth, 1, colour::kGold);
  p.GradientRect(0, kLipTop + 9, kWidth, 7, colour::kChromeLight, colour::kChromeDark);
  p.FillRect(0, kHeight - 2, kWidth, 2, Rgb{18, 14, 28});
  for (int x = 10; x < kWidth; x += 24) p.FillEllipse(x + 0.5, kLipTop + 6.5, 1.5, 1.5, colour::kLampWarm);
}

void SideFrame(Picture& p) {
  for (int y = 0; y < kTrackTop; ++y) {
    p.Set(0, y, colour::kGoldDark);
    p.Set(kWidth - 1, y, colour::kGoldDark);
  }
}

}  // namespace

Picture DrawUpperCabinet() {
  Picture p(kWidth, kHeight);
  Glass(p);
  Pins(p);
  Chute(p, kLeftChute);
  Chute(p, kRightChute);
  NamePlate(p);
  DrawPrizeBoard(p);
  GateTrack(p);
  Lip(p);
  SideFrame(p);
  return p;
}

}  // namespace artgen
