#include "render/main_canvas.h"

#include <utility>

namespace {

DisplayList frameList;
bool listing = true;

class FrameSink final : public CanvasCallSink {
 public:
  void OnClear(bool black) override {
    if (listing) recorder_.OnClear(black);
    if (observer) observer->OnClear(black);
  }
  void OnSprite(std::string_view image, std::string_view mask, int x, int y, int w, int h, DrawTag tag) override {
    if (listing) recorder_.OnSprite(image, mask, x, y, w, h, tag);
    if (observer) observer->OnSprite(image, mask, x, y, w, h, tag);
  }
  void OnText(int x, int y, int height, int r, int g, int b, std::string_view sjisText) override {
    if (listing) recorder_.OnText(x, y, height, r, g, b, sjisText);
    if (observer) observer->OnText(x, y, height, r, g, b, sjisText);
  }
  void OnLine(int x1, int y1, int x2, int y2, int width, int r, int g, int b) override {
    if (listing) recorder_.OnLine(x1, y1, x2, y2, width, r, g, b);
    if (observer) observer->OnLine(x1, y1, x2, y2, width, r, g, b);
  }
  CanvasCallSink* observer = nullptr;

 private:
  DisplayListRecorder recorder_{frameList};
};
FrameSink frameSink;

Canvas MakeMainCanvas() {
  Canvas canvas;
  canvas.SetComposing(false);
  canvas.SetCallSink(&frameSink);
  return canvas;
}

}  // namespace

Canvas mainCanvas = MakeMainCanvas();

DisplayList& FrameDisplayList() { return frameList; }

namespace {
// Without a listener the canvas makes no call at all: the cheapest tick.
void ConnectSink() { mainCanvas.SetCallSink(listing || frameSink.observer ? &frameSink : nullptr); }
}  // namespace

void SetFrameListing(bool on) {
  listing = on;
  ConnectSink();
}

CanvasCallSink* SetFrameObserver(CanvasCallSink* observer) {
  CanvasCallSink* was = std::exchange(frameSink.observer, observer);
  ConnectSink();
  return was;
}

bool FrameListing() { return listing; }
