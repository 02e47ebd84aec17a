#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "canvas/canvas_box.h"
#include "canvas/canvas_call_sink.h"
#include "canvas/cover_map.h"
#include "canvas/picture_cache.h"
#include "canvas/sprite_compositor.h"
#include "canvas/sprite_plan_cache.h"
#include "canvas/surface.h"
#include "canvas/text_coverage_cache.h"
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

  // Composites imageFile and maskFile, both looked up on disk at this call
  // (once per frame between BeginFrame and EndFrame) and stretched to w by
  // h: canvas = (canvas OR mask) AND image. A file that is missing or not a
  // readable bitmap counts as missing: without the image the mask is copied
  // as it is; without the mask only the image's AND is made. A decoded
  // picture is reused while its file's size and time stay the same, and so
  // is what drawing it at a size takes. Under the clear parts of a sprite
  // the canvas keeps its pixels; pixels outside the layout 0x00RRGGBB (a
  // top byte written through MutablePixels) are not kept there. The tag
  // only tells the call sink what the sprite shows.
  void DrawSprite(int x, int y, const char* imageFile, const char* maskFile, int w, int h, DrawTag tag = {});

  // One frame's drawing: from BeginFrame to EndFrame each picture file is
  // looked up on disk once, at its first use, so a frame of a thousand
  // sprites asks the file system a dozen times, and a file changed on disk
  // shows from the next frame on.
  void BeginFrame();
  void EndFrame();
  // Within a frame, the list drawn again over another part of the canvas:
  // its calls count from 0 again, its files are those already looked up.
  void DrawAgainInFrame();
  // Within a frame, tells the canvas ahead that its drawing call number
  // `order` (every drawing call counts, from 0 at BeginFrame) will draw
  // this sprite, so that what the sprite covers whole is not drawn before
  // it. The picture is the same as without, provided the promise is kept,
  // as a composer of a display list can: it knows every call ahead.
  void AnnounceSprite(std::size_t order, int x, int y, std::string_view imageFile, std::string_view maskFile, int w,
                      int h);

  // The part of the canvas that drawing touches, from now on: pixels
  // outside it keep what they hold, those inside get what a drawing over
  // the whole canvas gives them. The whole canvas until set; a rectangle
  // reaching past the canvas is cut to it, an empty one draws nothing.
  void SetRegion(int x, int y, int w, int h);
  // That part, cut to the canvas.
  CanvasBox Region() const;

  // --- Portable additions, for front ends, the runner and tests ---
  // Where text drawn at (x, y) in characters `height` high covers pixels;
  // empty when it draws none.
  CanvasBox TextBox(int x, int y, int height, std::string_view sjisText);
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
  void SetFileDirectory(std::string directory);
  const std::string& FileDirectory() const { return fileDirectory_; }
  std::string PicturePath(const char* fileName) const;

  // How many times a picture file has been read and decoded so far.
  std::size_t PictureDecodeCount() const { return pictures_.DecodeCount(); }
  // Within a frame, whether every picture file looked up so far is on disk
  // as it was last read (none changed, gone or come), the frame's one
  // lookup of each: until one is not, a picture drawn again over itself
  // where it changed is the picture drawn whole.
  bool PicturesAsLastRead();
  // How many sprite plans (a picture pair at one size) have been made so far.
  std::size_t SpritePlanCount() const { return plans_.BuildCount(); }

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
    if (!composing_) return Surface{};
    return Surface{pixels_.data(), surfaceWidth_, surfaceHeight_, regionLeft_, regionTop_, regionRight_, regionBottom_};
  }
  bool Composes() const { return composing_ && IsAttached(); }
  void MakeSurface();
  void Fill(std::uint32_t colour, std::size_t order);
  std::shared_ptr<const Picture> LoadPicture(const char* fileName);
  void ForgetFrameFiles();
  bool OutsideRegion(int x, int y, int w, int h);

  // The picture files looked up in this frame, by the name drawn with.
  struct FramePicture {
    std::string name;
    std::shared_ptr<const Picture> picture;
  };
  void Remember(const char* name, const std::shared_ptr<const Picture>& picture);
  // The last sprite drawn in this frame and its plan, for the run of
  // sprites of one kind (coins) that makes up most of a crowded frame.
  struct LastSprite {
    std::string image, mask;
    int w = 0, h = 0;
    const SpritePlan* plan = nullptr;
  };

  std::vector<std::uint32_t> pixels_;
  int surfaceWidth_ = 0;
  int surfaceHeight_ = 0;
  std::string fileDirectory_;
  CanvasCallSink* sink_ = nullptr;
  bool composing_ = true;
  PictureCache pictures_;
  SpriteScratch spriteScratch_;
  SpritePlanCache plans_;
  TextCoverageCache texts_;
  bool inFrame_ = false;
  std::vector<FramePicture> framePictures_;
  std::vector<FramePicture> knownPictures_;  // every file looked up, as last read
  LastSprite lastSprite_;
  std::size_t drawOrder_ = 0;  // the frame's drawing calls so far
  CoverMap covers_;
  int regionLeft_ = 0, regionTop_ = 0, regionRight_ = INT32_MAX, regionBottom_ = INT32_MAX;
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
