// Compares a screenshot of the game window, shown at a whole scale, with the
// runner's frames: every canvas pixel must be a scale by scale block of one
// colour, and the blocks must be one of the frames of ticks FIRST to LAST.
// A window must show at least the part of the canvas every view shows.
// With --fullscreen the screenshot is the whole screen: the game area must
// sit where the shared placement puts it, black all around. With --cabinet
// only the cabinet (canvas x 101 to 315) is compared: a system that draws
// the texts with its own fonts gives them other pixels than the runner.
//
//   marobel-scaled-frame-check SHOT SCALE FRAMES_DIR FIRST LAST [--fullscreen] [--cabinet]
#include <QCoreApplication>
#include <QImage>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "app/session/window_scale.h"
#include "app/session/window_view.h"

namespace {

bool IsBlack(QRgb pixel) { return (pixel & 0xFFFFFF) == 0; }

// The canvas's left margin is black from its first row; the menu bar is not.
int CanvasTop(const QImage& shot) {
  for (int y = 1; y < std::min(shot.height(), 120); ++y) {
    bool black = true;
    for (int x = 0; x < 4; ++x) black = black && IsBlack(shot.pixel(x, y));
    if (black) return y;
  }
  return -1;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  if (argc < 6) {
    std::fprintf(stderr, "usage: %s SHOT SCALE FRAMES_DIR FIRST LAST [--fullscreen]\n", argv[0]);
    return 2;
  }
  const QImage shot = QImage(argv[1]).convertToFormat(QImage::Format_RGB32);
  int scale = std::atoi(argv[2]);
  const int first = std::atoi(argv[4]), last = std::atoi(argv[5]);
  bool fullscreen = false, cabinetOnly = false;
  for (int i = 6; i < argc; ++i) {
    fullscreen = fullscreen || QByteArray(argv[i]) == "--fullscreen";
    cabinetOnly = cabinetOnly || QByteArray(argv[i]) == "--cabinet";
  }
  const int compareFrom = cabinetOnly ? 101 : 0;
  const int compareTo = cabinetOnly ? 316 : 1 << 20;
  if (shot.isNull()) return std::fprintf(stderr, "FAIL: cannot read %s\n", argv[1]), 1;

  int left = 0, top = 0, width = 0, height = 0;
  if (fullscreen) {
    const ScreenPlacement p = FitFullscreen({shot.width(), shot.height()});
    scale = p.scale;
    left = p.left, top = p.top, width = kClientAreaWidth, height = kClientAreaHeight;
    for (int y = 0; y < shot.height(); y += 7)
      for (int x = 0; x < shot.width(); x += 7) {
        const bool inside = x >= p.left && x < p.left + p.width && y >= p.top && y < p.top + p.height;
        if (!inside && !IsBlack(shot.pixel(x, y)))
          return std::fprintf(stderr, "FAIL: (%d, %d) outside the game area is not black\n", x, y), 1;
      }
  } else {
    top = CanvasTop(shot);
    if (top < 0) return std::fprintf(stderr, "FAIL: no canvas below the menu bar\n"), 1;
    width = shot.width() / scale;
    height = (shot.height() - top) / scale;
    // The window must show the whole part every view shows: the cabinet
    // down to its bottom edge.
    if (width < kClientAreaWidth || height < kClientAreaHeight)
      return std::fprintf(stderr,
                          "FAIL: the window shows %d by %d canvas pixels, less than the %d by %d with the cabinet\n",
                          width, height, kClientAreaWidth, kClientAreaHeight),
             1;
  }
  std::printf("scale %d, game at (%d, %d), %d by %d canvas pixels\n", scale, left, top, width, height);

  QImage sampled(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const QRgb block = shot.pixel(left + x * scale, top + y * scale);
      for (int dy = 0; dy < scale; ++dy)
        for (int dx = 0; dx < scale; ++dx)
          if (shot.pixel(left + x * scale + dx, top + y * scale + dy) != block)
            return std::fprintf(stderr, "FAIL: canvas pixel (%d, %d) is not one %d by %d block\n", x, y, scale, scale),
                   1;
      sampled.setPixel(x, y, block | 0xFF000000u);
    }

  for (int tick = first; tick <= last; ++tick) {
    const QString name = QString("%1/frame-%2.png").arg(argv[3]).arg(tick, 6, 10, QChar('0'));
    const QImage frame = QImage(name).convertToFormat(QImage::Format_RGB32);
    if (frame.isNull()) continue;
    bool same = true;
    for (int y = 0; y < height && y < frame.height() && same; ++y)
      for (int x = compareFrom; x < std::min({width, frame.width(), compareTo}) && same; ++x)
        same = (frame.pixel(x, y) & 0xFFFFFF) == (sampled.pixel(x, y) & 0xFFFFFF);
    if (same) {
      std::printf("ok: the %d by %d blocks are the runner's frame of tick %d\n", scale, scale, tick);
      return 0;
    }
  }
  std::fprintf(stderr, "FAIL: no frame of ticks %d to %d matches the blocks\n", first, last);
  return 1;
}
