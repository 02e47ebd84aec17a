// coin.bmp and coin2.bmp: a gold coin seen face on, bright and shiny while it
// falls or lies in the tray, and a flatter, darker one lying on the table.
#include <cmath>

#include "render/asset_names.h"
#include "tools/artgen/art_palette.h"
#include "tools/artgen/artwork.h"

namespace artgen {

namespace {

constexpr int kSize = asset::kFallingCoinPicture.width;
constexpr double kCentre = kSize / 2.0;

struct CoinLook {
  Rgb rim, face, light, emblem;
  double gloss;  // strength of the highlight
};

Picture Coin(const CoinLook& look) {
  Picture p(kSize, kSize);
  p.FillEllipse(kCentre, kCentre, 7.4, 7.4, look.rim);
  p.ForEachIn(
      [](double x, double y) {
        const double dx = x - kCentre, dy = y - kCentre;
        return dx * dx + dy * dy <= 6.0 * 6.0;
      },
      [&](int x, int y) {
        // Lit from the upper left.
        const double t = ((x + 0.5 - kCentre) + (y + 0.5 - kCentre)) / 12.0 + 0.5;
        p.Set(x, y, Mix(look.light, look.face, 0.35 + 0.65 * t));
      });
  // A raised inner ring and a small star emblem.
  p.ForEachIn(
      [](double x, double y) {
        const double d = std::hypot(x - kCentre, y - kCentre);
        return d > 4.0 && d <= 4.9;
      },
      [&](int x, int y) { p.Tint(x, y, look.rim, 0.55); });
  const Rgb emblem = look.emblem;
  p.Set(7, 5, emblem);
  p.FillRect(5, 7, 5, 1, emblem);
  p.FillRect(6, 6, 3, 3, emblem);
  p.Set(6, 9, emblem);
  p.Set(8, 9, emblem);
  // The glint.
  p.Tint(4, 3, kWhite, look.gloss);
  p.Tint(3, 4, kWhite, look.gloss);
  p.Tint(4, 4, kWhite, look.gloss * 0.8);
  p.Tint(5, 3, kWhite, look.gloss * 0.5);
  p.Tint(3, 5, kWhite, look.gloss * 0.5);
  return p;
}

}  // namespace

Picture DrawFallingCoin() {
  return Coin({colour::kCoinDark, colour::kCoin, colour::kCoinLight, Rgb{176, 118, 20}, 0.95});
}

Picture DrawLyingCoin() {
  Picture p = Coin({Rgb{110, 70, 10}, Rgb{196, 144, 34}, Rgb{236, 198, 104}, Rgb{140, 92, 16}, 0.45});
  // Lying flat, the coin's edge shows as a dark crescent on its near side.
  p.ForEachIn(
      [](double x, double y) {
        const double d = std::hypot(x - kCentre, y - kCentre);
        return d > 6.0 && d <= 7.4 && y > kCentre + 2.0;
      },
      [&](int x, int y) {
        p.Set(x, y, Rgb{84, 52, 8});
      });
  return p;
}

}  // namespace artgen
