// The application icon: the game's gold coin with its star, large and clear
// enough to read at 16 pixels.
#include <algorithm>
#include <cmath>

#include "tools/artgen/art_palette.h"
#include "tools/artgen/artwork.h"

namespace artgen {

namespace {

bool InStar(double x, double y, double outer, double inner) {
  std::vector<Point> corners;
  for (int i = 0; i < 10; ++i) {
    const double r = i % 2 == 0 ? outer : inner;
    const double a = -1.5707963 + i * 3.14159265 / 5;
    corners.push_back({r * std::cos(a), r * std::sin(a)});
  }
  return InsidePolygon(corners, x, y);
}

// Colour of the icon at a point in units where the coin's radius is 1.
// Small icons drop the inner ring, which would only blur the star.
bool IconColour(double x, double y, bool ring, Rgb& out) {
  const double d = std::hypot(x, y);
  if (d > 1.0) return false;
  const double light = std::clamp(0.5 + (x + y) * 0.35, 0.0, 1.0);
  if (d > 0.84) {
    out = Mix(colour::kGoldDark, Rgb{96, 60, 8}, light);
    return true;
  }
  out = Mix(colour::kCoinLight, colour::kCoin, light);
  if (ring && d > 0.66 && d < 0.74) out = colour::kGoldDark;
  if (InStar(x, y, ring ? 0.56 : 0.66, ring ? 0.24 : 0.30)) out = Mix(Rgb{176, 110, 16}, Rgb{120, 70, 8}, light);
  if (std::hypot(x + 0.5, y + 0.5) < 0.1) out = kWhite;
  return true;
}

}  // namespace

RgbaImage DrawAppIcon(int size) {
  RgbaImage image(size, size);
  constexpr int kSub = 4;
  const double radius = size / 2.0 - 0.5;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      double r = 0, g = 0, b = 0;
      int hits = 0;
      for (int sy = 0; sy < kSub; ++sy)
        for (int sx = 0; sx < kSub; ++sx) {
          const double px = (x + (sx + 0.5) / kSub - size / 2.0) / radius;
          const double py = (y + (sy + 0.5) / kSub - size / 2.0) / radius;
          Rgb c;
          if (!IconColour(px, py, size >= 32, c)) continue;
          r += c.r;
          g += c.g;
          b += c.b;
          ++hits;
        }
      if (hits == 0) continue;
      image.At(x, y) = {static_cast<std::uint8_t>(r / hits), static_cast<std::uint8_t>(g / hits),
                        static_cast<std::uint8_t>(b / hits), static_cast<std::uint8_t>(255 * hits / (kSub * kSub))};
    }
  return image;
}

RgbaImage DrawMaskableAppIcon(int size) {
  // A launcher may cut anything outside the centred circle of 80 per cent of
  // the side; the coin keeps a margin inside it. The square is the
  // cabinet's dark body, so that the gold reads on any mask's edge.
  const int coinSize = size * 72 / 100;
  const RgbaImage coin = DrawAppIcon(coinSize);
  RgbaImage image(size, size);
  for (Rgba& pixel : image.pixels) pixel = {colour::kBodyDark.r, colour::kBodyDark.g, colour::kBodyDark.b, 255};
  const int at = (size - coinSize) / 2;
  for (int y = 0; y < coinSize; ++y)
    for (int x = 0; x < coinSize; ++x) {
      const Rgba& c = coin.At(x, y);
      Rgba& out = image.At(at + x, at + y);
      auto over = [&](std::uint8_t top, std::uint8_t under) {
        return static_cast<std::uint8_t>((top * c.a + under * (255 - c.a) + 127) / 255);
      };
      out = {over(c.r, out.r), over(c.g, out.g), over(c.b, out.b), 255};
    }
  return image;
}

}  // namespace artgen
