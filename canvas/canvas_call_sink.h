#pragma once
#include <string_view>

#include "canvas/draw_tag.h"

// Observer of the drawing calls made on a canvas, in the order made. The
// game's canvas writes them into the tick's display list.
class CanvasCallSink {
 public:
  virtual ~CanvasCallSink() = default;
  virtual void OnClear(bool black) = 0;
  virtual void OnSprite(std::string_view image, std::string_view mask, int x, int y, int w, int h, DrawTag tag) = 0;
  // Colour components exactly as set (not reduced); text as Shift-JIS bytes.
  virtual void OnText(int x, int y, int height, int r, int g, int b, std::string_view sjisText) = 0;
  virtual void OnLine(int x1, int y1, int x2, int y2, int width, int r, int g, int b) = 0;
};
