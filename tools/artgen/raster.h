#pragma once
// A small software raster for drawing the game's pictures in code: an RGB
// picture with a per-pixel coverage flag, shapes sampled at pixel centres.
#include <cstdint>
#include <functional>
#include <vector>

namespace artgen {

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  constexpr bool operator==(const Rgb&) const = default;
};

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};

// t = 0 gives a, t = 1 gives b; t is clamped.
Rgb Mix(Rgb a, Rgb b, double t);
// factor < 1 darkens, > 1 lightens (towards white past 1).
Rgb Shade(Rgb c, double factor);

struct Point {
  double x = 0, y = 0;
};

class Picture {
 public:
  Picture(int width, int height);

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

  Rgb At(int x, int y) const { return pixels_[Index(x, y)]; }
  bool Opaque(int x, int y) const { return opaque_[Index(x, y)] != 0; }

  // Paints one pixel and makes it opaque; outside the picture it is ignored.
  void Set(int x, int y, Rgb c);
  void Clear(int x, int y);
  // Recolours an already opaque pixel; transparent ones stay untouched.
  void Tint(int x, int y, Rgb c, double amount);

  // Calls paint(x, y) for every pixel whose centre the shape covers.
  void ForEachIn(const std::function<bool(double, double)>& inside, const std::function<void(int, int)>& paint);

  void FillRect(int x, int y, int w, int h, Rgb c);
  void FillEllipse(double cx, double cy, double rx, double ry, Rgb c);
  void FillPolygon(const std::vector<Point>& corners, Rgb c);
  // A line with round ends, `thickness` pixels across.
  void DrawLine(Point a, Point b, double thickness, Rgb c);
  // Vertical gradient from top colour to bottom colour over the rectangle.
  void GradientRect(int x, int y, int w, int h, Rgb top, Rgb bottom);
  // Copies another picture's opaque pixels at (x, y).
  void Stamp(const Picture& other, int x, int y);

 private:
  std::size_t Index(int x, int y) const { return static_cast<std::size_t>(y) * width_ + x; }

  int width_;
  int height_;
  std::vector<Rgb> pixels_;
  std::vector<std::uint8_t> opaque_;
};

bool InsidePolygon(const std::vector<Point>& corners, double x, double y);

}  // namespace artgen
