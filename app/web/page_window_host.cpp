#include "app/web/page_window_host.h"

#include <emscripten/emscripten.h>
#include <emscripten/eventloop.h>

#include <algorithm>

// Puts width by height RGBA bytes on the page's canvas at its top-left
// corner, sizing the element to them first.
EM_JS(void, MarobelPutPixels, (const char* elementId, const void* rgba, int width, int height), {
  const id = UTF8ToString(elementId);
  const element = document.getElementById(id);
  if (!element) return;
  if (element.width != width) element.width = width;
  if (element.height != height) element.height = height;
  const context = element.getContext("2d");
  const image = new ImageData(new Uint8ClampedArray(HEAPU8.buffer, rgba, width * height * 4), width, height);
  context.putImageData(image, 0, 0);
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
  rgba_.resize(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
  // 0x00RRGGBB becomes the bytes R, G, B, 255, i.e. 0xFFBBGGRR read little-endian.
  for (int y = 0; y < h; ++y) {
    const std::uint32_t* in = pixels + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
    std::uint32_t* out = rgba_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(w);
    for (int x = 0; x < w; ++x) {
      const std::uint32_t p = in[x];
      out[x] = 0xFF000000u | (p & 0x0000FF00u) | (p >> 16 & 0xFFu) | (p & 0xFFu) << 16;
    }
  }
  MarobelPutPixels(elementId_.c_str(), rgba_.data(), w, h);
  ++framesShown_;
}
