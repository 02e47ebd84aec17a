#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "canvas/canvas_call_sink.h"
#include "canvas/picture_cache.h"
#include "canvas/sprite_compositor.h"
#include "canvas/surface.h"
#include "canvas/window_host.h"

struct GridCell {
  int column = 0;
  int row = 0;
};

struct CellRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

// The off-screen drawing surface of a window: 32-bit pixels 0x00RRGGBB, a
// stored text style, pen and brush, the drawing primitives and sprite
// compositing from picture files. Until Attach has run it has no surface and
// every drawing operation does nothing (the call sink still hears of it).
// Coordinates may lie anywhere in the int range: what falls off the surface
// is clipped away.
class Canvas {
 public:
  Canvas();

  void Attach(WindowHost* window, int width, int height);
  void Present(WindowHost* window);
  void Invalidate(WindowHost* window);

  void ClearBlack();
  void ClearWhite();

  void SetTextStyle(int height, int red, int green, int blue);
  void PutText(int x, int y, const char* sjisText);
  void SetPen(int width, int red, int green, int blue);
  void SetBrush(int red, int green, int blue);

  void DrawRect(int left, int top, int right, int bottom);
  void DrawEllipse(int left, int top, int right, int bottom);
  void DrawLine(int x1, int y1, int x2, int y2);
  void DrawGrid(int left, int top, int right, int bottom, int rows, int columns);

  static int PointInRect(int left, int top, int right, int bottom, int px, int py);
  static GridCell GridCellAt(int left, int top, int right, int bottom, int rows, int columns, int px, int py);
  static CellRect GridCellRect(int left, int top, int right, int bottom, int rows, int columns, int row, int column);

  // Composites imageFile and maskFile, both looked up on disk at this call and
  // stretched to w by h: canvas = (canvas OR mask) AND image. A file that is
  // missing or not a readable bitmap counts as missing: without the image the
  // mask is copied as it is; without the mask only the image's AND is made.
  // A decoded picture is reused while its file's size and time stay the same.
  // The tag only tells the call sink what the sprite shows.
  void DrawSprite(int x, int y, const char* imageFile, const char* maskFile, int w, int h, DrawTag tag = {});

  // --- Portable additions, for front ends, the runner and tests ---
  bool IsAttached() const { return !pixels_.empty(); }
  int Width() const { return width; }
  int Height() const { return height; }
  const std::uint32_t* Pixels() const { return pixels_.data(); }
  std::uint32_t PixelAt(int x, int y) const {
    return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(surfaceWidth_) + static_cast<std::size_t>(x)];
  }
  std::uint32_t* MutablePixels() { return pixels_.data(); }

  // Where bare picture file names are looked up; empty means the working
  // directory. A name that already holds a path is used as it is.
  void SetFileDirectory(std::string directory) { fileDirectory_ = std::move(directory); }
  const std::string& FileDirectory() const { return fileDirectory_; }
  std::string PicturePath(const char* fileName) const;

  // How many times a picture file has been read and decoded so far.
  std::size_t PictureDecodeCount() const { return pictures_.DecodeCount(); }

  // Optional observer of every drawing call (not owned; null for none).
  void SetCallSink(CanvasCallSink* sink) { sink_ = sink; }

  // Whether drawing calls change the pixels (on from the start). Off, every
  // call still reaches the call sink and the stored style still changes,
  // but no pixel is touched and no picture file is looked up: for a front
  // end that shows nothing, composing a frame nobody reads would cost far
  // more than the game itself. The pixels keep what they last held.
  // An attached canvas gets its surface only once it composes.
  void SetComposing(bool on);
  bool IsComposing() const { return composing_; }

  // The stored style, as set.
  int width = 1200;
  int height = 800;
  int textRed = 0, textGreen = 0, textBlue = 0;
  int fontHeight = 0;
  int penRed = 0, penGreen = 0, penBlue = 0;
  int penWidth = 0;
  int brushRed = 0, brushGreen = 0, brushBlue = 0;

 private:
  // The surface to draw on; empty while not composing, so every primitive
  // clips its whole figure away.
  Surface View() {
    return composing_ ? Surface{pixels_.data(), surfaceWidth_, surfaceHeight_} : Surface{nullptr, 0, 0};
  }
  bool Composes() const { return composing_ && IsAttached(); }
  void MakeSurface();

  std::vector<std::uint32_t> pixels_;
  int surfaceWidth_ = 0;
  int surfaceHeight_ = 0;
  std::string fileDirectory_;
  CanvasCallSink* sink_ = nullptr;
  bool composing_ = true;
  PictureCache pictures_;
  SpriteScratch spriteScratch_;
};

// Largest surface Attach makes; a request beyond it leaves the canvas
// without a surface rather than asking for gigabytes.
inline constexpr int kMaxCanvasSide = 16384;
inline constexpr std::int64_t kMaxCanvasPixels = std::int64_t{8192} * 8192;

// Colour value of three components, each reduced to its low 8 bits, in the
// surface's pixel layout 0x00RRGGBB.
inline std::uint32_t SurfaceColour(int red, int green, int blue) {
  return (static_cast<std::uint32_t>(red & 0xFF) << 16) | (static_cast<std::uint32_t>(green & 0xFF) << 8) |
         static_cast<std::uint32_t>(blue & 0xFF);
}
