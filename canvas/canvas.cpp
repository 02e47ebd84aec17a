// Provisional canvas: state, attach, clear and call notification. The pixel
// work of text, lines and sprites lands with the raster implementation.
#include "canvas/canvas.h"

#include <cstring>

Canvas::Canvas() {
  SetTextStyle(15, 255, 0, 0);
  SetPen(1, 255, 0, 0);
  SetBrush(255, 0, 0);
}

void Canvas::Attach(WindowHost*, int w, int h) {
  width = w;
  height = h;
  std::vector<std::uint32_t>(static_cast<std::size_t>(w > 0 ? w : 0) * (h > 0 ? h : 0), 0u).swap(pixels_);
}

void Canvas::Present(WindowHost* window) {
  if (window && IsAttached()) window->ShowPixels(pixels_.data(), width, height);
}

void Canvas::Invalidate(WindowHost* window) {
  if (window) window->RequestRepaint();
}

void Canvas::ClearBlack() {
  if (sink_) sink_->OnClear(true);
  std::fill(pixels_.begin(), pixels_.end(), 0u);
}

void Canvas::ClearWhite() {
  if (sink_) sink_->OnClear(false);
  std::fill(pixels_.begin(), pixels_.end(), 0x00FFFFFFu);
}

void Canvas::SetTextStyle(int h, int r, int g, int b) {
  fontHeight = h;
  textRed = r;
  textGreen = g;
  textBlue = b;
}

void Canvas::PutText(int x, int y, const char* text) {
  if (sink_) sink_->OnText(x, y, fontHeight, textRed, textGreen, textBlue, text);
}

void Canvas::SetPen(int w, int r, int g, int b) {
  penWidth = w;
  penRed = r;
  penGreen = g;
  penBlue = b;
}

void Canvas::SetBrush(int r, int g, int b) {
  brushRed = r;
  brushGreen = g;
  brushBlue = b;
}

void Canvas::DrawRect(int, int, int, int) {}
void Canvas::DrawEllipse(int, int, int, int) {}

void Canvas::DrawLine(int x1, int y1, int x2, int y2) {
  if (sink_) sink_->OnLine(x1, y1, x2, y2, penWidth, penRed, penGreen, penBlue);
}

void Canvas::DrawGrid(int, int, int, int, int, int) {}

int Canvas::PointInRect(int left, int top, int right, int bottom, int px, int py) {
  return (left <= px && px <= right && top <= py && py <= bottom) ? 1 : 0;
}

GridCell Canvas::GridCellAt(int, int, int, int, int, int, int, int) { return {}; }
CellRect Canvas::GridCellRect(int, int, int, int, int, int, int, int) { return {}; }

void Canvas::DrawSprite(int x, int y, const char* image, const char* mask, int w, int h) {
  if (sink_) sink_->OnSprite(image, mask, x, y, w, h);
}
