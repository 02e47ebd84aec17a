#include "tools/artgen/raster.h"

#include <algorithm>
#include <cmath>

namespace artgen {

namespace {
std::uint8_t Channel(double v) { return static_cast<std::uint8_t>(std::clamp(std::lround(v), 0L, 255L)); }
}  // namespace

Rgb Mix(Rgb a, Rgb b, double t) {
  t = std::clamp(t, 0.0, 1.0);
  return {Channel(a.r + (b.r - a.r) * t), Channel(a.g + (b.g - a.g) * t), Channel(a.b + (b.b - a.b) * t)};
}

Rgb Shade(Rgb c, double factor) {
  if (factor <= 1.0) return {Channel(c.r * factor), Channel(c.g * factor), Channel(c.b * factor)};
  return Mix(c, kWhite, factor - 1.0);
}

Picture::Picture(int width, int height)
    : width_(width),
      height_(height),
      pixels_(static_cast<std::size_t>(width) * height, kWhite),
      opaque_(static_cast<std::size_t>(width) * height, 0) {}

void Picture::Set(int x, int y, Rgb c) {
  if (!Inside(x, y)) return;
  pixels_[Index(x, y)] = c;
  opaque_[Index(x, y)] = 1;
}

void Picture::Clear(int x, int y) {
  if (!Inside(x, y)) return;
  pixels_[Index(x, y)] = kWhite;
  opaque_[Index(x, y)] = 0;
}

void Picture::Tint(int x, int y, Rgb c, double amount) {
  if (!Inside(x, y) || !Opaque(x, y)) return;
  pixels_[Index(x, y)] = Mix(pixels_[Index(x, y)], c, amount);
}

void Picture::ForEachIn(const std::function<bool(double, double)>& inside, const std::function<void(int, int)>& paint) {
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x)
      if (inside(x + 0.5, y + 0.5)) paint(x, y);
}

void Picture::FillRect(int x, int y, int w, int h, Rgb c) {
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i) Set(i, j, c);
}

void Picture::FillEllipse(double cx, double cy, double rx, double ry, Rgb c) {
  ForEachIn(
      [&](double x, double y) {
        const double dx = (x - cx) / rx, dy = (y - cy) / ry;
        return dx * dx + dy * dy <= 1.0;
      },
      [&](int x, int y) { Set(x, y, c); });
}

bool InsidePolygon(const std::vector<Point>& corners, double x, double y) {
  bool inside = false;
  for (std::size_t i = 0, j = corners.size() - 1; i < corners.size(); j = i++) {
    const Point& a = corners[i];
    const Point& b = corners[j];
    if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) inside = !inside;
  }
  return inside;
}

void Picture::FillPolygon(const std::vector<Point>& corners, Rgb c) {
  ForEachIn([&](double x, double y) { return InsidePolygon(corners, x, y); }, [&](int x, int y) { Set(x, y, c); });
}

void Picture::DrawLine(Point a, Point b, double thickness, Rgb c) {
  const double r = thickness / 2.0;
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double len2 = dx * dx + dy * dy;
  ForEachIn(
      [&](double x, double y) {
        double t = len2 > 0 ? ((x - a.x) * dx + (y - a.y) * dy) / len2 : 0.0;
        t = std::clamp(t, 0.0, 1.0);
        const double px = a.x + t * dx - x, py = a.y + t * dy - y;
        return px * px + py * py <= r * r;
      },
      [&](int x, int y) { Set(x, y, c); });
}

void Picture::GradientRect(int x, int y, int w, int h, Rgb top, Rgb bottom) {
  for (int j = 0; j < h; ++j) {
    const Rgb c = Mix(top, bottom, h > 1 ? static_cast<double>(j) / (h - 1) : 0.0);
    for (int i = 0; i < w; ++i) Set(x + i, y + j, c);
  }
}

void Picture::Stamp(const Picture& other, int x, int y) {
  for (int j = 0; j < other.Height(); ++j)
    for (int i = 0; i < other.Width(); ++i)
      if (other.Opaque(i, j)) Set(x + i, y + j, other.At(i, j));
}

}  // namespace artgen
