#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "canvas/canvas_box.h"
#include "canvas/canvas_call_sink.h"
#include "canvas/draw_tag.h"

class Canvas;

enum class DrawCallKind : std::uint8_t { ClearBlack, ClearWhite, Sprite, Text, Line };

// One drawing call, with the style it was made with. Sprite file names are
// views of the caller's names, which must outlive the list: the drawing
// code passes the constants of its picture table.
struct DrawCall {
  DrawCallKind kind = DrawCallKind::ClearBlack;
  DrawTag tag;
  // Sprite: corner and size. Line: x1, y1, x2, y2. Text: corner in x, y.
  int x = 0, y = 0, w = 0, h = 0;
  // Text: character height. Line: pen width.
  int size = 0;
  int red = 0, green = 0, blue = 0;  // text or pen colour, as set
  std::string_view image, mask;
  std::string text;  // Shift-JIS
  friend bool operator==(const DrawCall&, const DrawCall&) = default;
};

// The drawing calls of one frame, in the order made: composing them onto a
// canvas gives the frame's pixels.
struct DisplayList {
  std::vector<DrawCall> calls;
  void Clear() { calls.clear(); }
  friend bool operator==(const DisplayList&, const DisplayList&) = default;
};

// Draws every call of `list` onto `canvas`, in order.
void ComposeDisplayList(const DisplayList& list, Canvas& canvas);

// Listens to a canvas and writes its calls into a display list.
class DisplayListRecorder final : public CanvasCallSink {
 public:
  explicit DisplayListRecorder(DisplayList& list) : list_(list) {}
  void OnClear(bool black) override;
  void OnSprite(std::string_view image, std::string_view mask, int x, int y, int w, int h, DrawTag tag) override;
  void OnText(int x, int y, int height, int r, int g, int b, std::string_view sjisText) override;
  void OnLine(int x1, int y1, int x2, int y2, int width, int r, int g, int b) override;

 private:
  DisplayList& list_;
};
