#include "app/session/window_scale.h"

#include <algorithm>
#include <cmath>

#include "app/session/window_view.h"

namespace {

int ClampScale(int scale) { return std::clamp(scale, kMinWindowScale, kMaxWindowScale); }

}  // namespace

int DefaultWindowScale(int screenHeight, double devicePixelRatio) {
  const int fitting = screenHeight / (2 * kWindowHeight);
  const int ratio = devicePixelRatio >= 1.0 ? static_cast<int>(std::floor(devicePixelRatio)) : 1;
  return ClampScale(std::max(fitting, ratio));
}

PixelSize ScaledWindowSize(PixelSize decoration, int scale) {
  scale = ClampScale(scale);
  return {(kWindowWidth - decoration.width) * scale + decoration.width,
          (kWindowHeight - decoration.height) * scale + decoration.height};
}

PixelSize ScaledGameArea(PixelSize decorationAtOne, int scale) {
  scale = ClampScale(scale);
  return {std::max(kClientAreaWidth, kWindowWidth - decorationAtOne.width) * scale,
          std::max(kClientAreaHeight, kWindowHeight - decorationAtOne.height) * scale};
}

double ControlsScale(int scale, double devicePixelRatio) {
  return devicePixelRatio > 0 ? std::max(1.0, ClampScale(scale) / devicePixelRatio) : ClampScale(scale);
}

ScreenPlacement FitFullscreen(PixelSize screen) {
  ScreenPlacement p;
  p.scale = ClampScale(std::min(screen.width / kClientAreaWidth, screen.height / kClientAreaHeight));
  p.width = kClientAreaWidth * p.scale;
  p.height = kClientAreaHeight * p.scale;
  // A screen smaller than the game shows its top-left part, as a window does.
  p.left = std::max(0, (screen.width - p.width) / 2);
  p.top = std::max(0, (screen.height - p.height) / 2);
  return p;
}

PixelRect UpscaleNearest(const std::uint32_t* pixels, int canvasWidth, int canvasHeight, int scale, int originX,
                         int originY, PixelRect target, std::uint32_t* out) {
  if (!pixels || canvasWidth <= 0 || canvasHeight <= 0 || scale < 1) return {};
  const int left = std::max(target.left, originX);
  const int top = std::max(target.top, originY);
  const int right = std::min(target.left + target.width, originX + canvasWidth * scale);
  const int bottom = std::min(target.top + target.height, originY + canvasHeight * scale);
  if (right <= left || bottom <= top) return {};
  const PixelRect written{left, top, right - left, bottom - top};
  for (int y = 0; y < written.height; ++y) {
    const std::uint32_t* from = pixels + static_cast<std::size_t>((top + y - originY) / scale) * canvasWidth;
    std::uint32_t* to = out + static_cast<std::size_t>(y) * written.width;
    for (int x = 0; x < written.width; ++x) to[x] = from[(left + x - originX) / scale];
  }
  return written;
}
