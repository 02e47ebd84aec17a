#include "app/web/page_window_host.h"

#include <emscripten/emscripten.h>
#include <emscripten/eventloop.h>

#include <algorithm>

// Puts the part (x, y, w, h) of width by height RGBA bytes on the page's
// canvas, at its place from the top-left corner, sizing the element to
// them first. The image over the module's memory is made again only when
// that memory or the size changes.
EM_JS(void, MarobelPutPixels,
      (const char* elementId, const void* rgba, int width, int height, int x, int y, int w, int h), {
        const id = UTF8ToString(elementId);
        const element = document.getElementById(id);
        if (!element) return;
        if (element.width != width) element.width = width;
        if (element.height != height) element.height = height;
        const images = Module.marobelImages || (Module.marobelImages = {});
        let image = images[id];
        if (!image || image.data.buffer != HEAPU8.buffer || image.data.byteOffset != rgba || image.width != width ||
            image.height != height) {
          image = new ImageData(new Uint8ClampedArray(HEAPU8.buffer, rgba, width * height * 4), width, height);
          images[id] = image;
        }
        if (w > 0 && h > 0) element.getContext("2d").putImageData(image, 0, 0, x, y, w, h);
        if (Module.onMarobelFrame) Module.onMarobelFrame(id);
      });

PageWindowHost::PageWindowHost(std::string elementId, int clientWidth, int clientHeight, PixelSource source)
    : elementId_(std::move(elementId)),
      clientWidth_(clientWidth),
      clientHeight_(clientHeight),
      source_(std::move(source)) {}

void PageWindowHost::StartTimer(int, int periodMs) {
  StopTimer();
  stopped_ = false;
  interval_ = emscripten_set_interval(&PageWindowHost::OnInterval, periodMs, this);
}

void PageWindowHost::StopTimer() {
  if (interval_ != 0) emscripten_clear_interval(interval_);
  interval_ = 0;
  stopped_ = true;
}

void PageWindowHost::OnInterval(void* self) {
  auto* host = static_cast<PageWindowHost*>(self);
  if (host->stopped_ || !host->handler_) return;
  host->handler_();
  host->PaintIfNeeded();
}

void PageWindowHost::PaintIfNeeded() {
  if (!repaintNeeded_) return;
  repaintNeeded_ = false;
  Show(source_());
}

void PageWindowHost::Show(PixelView picture) {
  const std::uint32_t* pixels = picture.pixels;
  const int width = picture.width, height = picture.height;
  const int w = std::min(width, clientWidth_);
  const int h = std::min(height, clientHeight_);
  if (!pixels || w <= 0 || h <= 0) return;
  const std::size_t size = static_cast<std::size_t>(w) * static_cast<std::size_t>(h);
  // The picture after the one on the canvas changed only where its source
  // says; any other is copied whole.
  const bool follows = picture.number != 0 && picture.number == shownNumber_ + 1 && rgba_.size() == size;
  shownNumber_ = picture.number;
  int left = 0, top = 0, right = w, bottom = h;
  if (follows) {
    left = std::clamp(picture.changedLeft, 0, w), right = std::clamp(picture.changedRight, left, w);
    top = std::clamp(picture.changedTop, 0, h), bottom = std::clamp(picture.changedBottom, top, h);
  }
  rgba_.resize(size);
  // 0x00RRGGBB becomes the bytes R, G, B, 255, i.e. 0xFFBBGGRR read little-endian.
  for (int y = top; y < bottom; ++y) {
    const std::uint32_t* in = pixels + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
    std::uint32_t* out = rgba_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(w);
    for (int x = left; x < right; ++x) {
      const std::uint32_t p = in[x];
      out[x] = 0xFF000000u | (p & 0x0000FF00u) | (p >> 16 & 0xFFu) | (p & 0xFFu) << 16;
    }
  }
  MarobelPutPixels(elementId_.c_str(), rgba_.data(), w, h, left, top, right - left, bottom - top);
  ++framesShown_;
}
