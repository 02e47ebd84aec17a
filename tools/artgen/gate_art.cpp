// move.bmp: the gate, a small slotted catcher that slides along its track.
// A coin that falls wholly inside its 25 pixels is caught, so the opening is
// drawn as wide as a coin plus the ten pixels of play the mouth allows.
#include "render/asset_names.h"
#include "tools/artgen/art_palette.h"
#include "tools/artgen/artwork.h"

namespace artgen {

Picture DrawGate() {
  constexpr int w = asset::kGatePicture.width, h = asset::kGatePicture.height;
  Picture p(w, h);
  const Rgb body{214, 58, 36};
  const Rgb bodyDark{120, 24, 16};
  const Rgb bodyLight{255, 150, 110};
  // Rounded cup, transparent at the corners.
  p.FillRect(1, 0, w - 2, h, body);
  p.FillRect(0, 1, w, h - 2, body);
  p.FillRect(1, 0, w - 2, 1, bodyLight);
  p.FillRect(0, 1, 1, h - 2, bodyLight);
  p.FillRect(1, h - 1, w - 2, 1, bodyDark);
  p.FillRect(w - 1, 1, 1, h - 2, bodyDark);
  // The mouth: a dark well with slots in its floor.
  p.FillRect(3, 3, w - 6, h - 7, Rgb{20, 6, 10});
  p.FillRect(3, 3, w - 6, 1, Rgb{60, 10, 14});
  for (int x = 5; x < w - 4; x += 3) p.FillRect(x, 6, 1, h - 11, Rgb{70, 74, 90});
  // A lamp on the front lip that tells the player where to aim.
  p.FillRect(w / 2 - 2, h - 3, 5, 2, colour::kLampWarm);
  p.Set(w / 2, h - 3, kWhite);
  p.Set(2, h - 2, colour::kGold);
  p.Set(w - 3, h - 2, colour::kGold);
  return p;
}

}  // namespace artgen
