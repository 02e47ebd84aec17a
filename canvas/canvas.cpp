#include "canvas/canvas.h"

#include <algorithm>

#include "canvas/pen_raster.h"
#include "canvas/shape_raster.h"
#include "canvas/text_rasterizer.h"

namespace {

// Text coverage over the surface in the text colour: full coverage replaces
// the pixel, partial coverage mixes it, none leaves it (transparent
// background).
void BlendCoverage(const Surface& surface, std::int64_t x, std::int64_t y, const TextCoverage& coverage,
                   std::uint32_t colour) {
  const std::int64_t left = x + coverage.offsetX;
  const std::int64_t top = y + coverage.offsetY;
  const std::int64_t x0 = std::max<std::int64_t>(left, surface.Left());
  const std::int64_t x1 = std::min<std::int64_t>(left + coverage.width, surface.Right());
  const std::int64_t y0 = std::max<std::int64_t>(top, surface.Top());
  const std::int64_t y1 = std::min<std::int64_t>(top + coverage.height, surface.Bottom());
  if (x0 >= x1 || y0 >= y1) return;
  if (coverage.alpha.size() < static_cast<std::size_t>(coverage.width) * static_cast<std::size_t>(coverage.height))
    return;
  const int cr = static_cast<int>(colour >> 16 & 0xFF), cg = static_cast<int>(colour >> 8 & 0xFF),
            cb = static_cast<int>(colour & 0xFF);
  for (std::int64_t py = y0; py < y1; ++py) {
    const std::uint8_t* a = coverage.alpha.data() + (py - top) * coverage.width + (x0 - left);
    std::uint32_t* dst = surface.pixels + py * surface.width + x0;
    for (std::int64_t i = 0; i < x1 - x0; ++i) {
      const int k = a[i];
      if (k == 0) continue;
      if (k == 255) {
        dst[i] = colour;
        continue;
      }
      const std::uint32_t p = dst[i];
      auto mix = [k](int from, int to) {
        return static_cast<std::uint32_t>(from + ((to - from) * k + (to > from ? 127 : -127)) / 255);
      };
      dst[i] = mix(static_cast<int>(p >> 16 & 0xFF), cr) << 16 | mix(static_cast<int>(p >> 8 & 0xFF), cg) << 8 |
               mix(static_cast<int>(p & 0xFF), cb);
    }
  }
}

// The grid's bands along one axis: starts at from, from + step, ... while
// below to; band k (numbered from 1) covers start < p <= start + step.
struct Bands {
  std::int64_t from = 0;
  std::int64_t step = 0;
  std::int64_t count = 0;

  Bands(std::int64_t lo, std::int64_t hi, std::int64_t parts) {
    // A count below 1 or an extent smaller than the count gives a step below
    // 1, which would never get past the far edge: such a grid has no bands.
    if (parts < 1) return;
    step = (hi - lo) / parts;
    if (step < 1) return;
    from = lo;
    count = (hi - lo + step - 1) / step;
  }
  int BandOf(std::int64_t p) const {
    if (count == 0 || p <= from) return 0;
    const std::int64_t k = (p - from - 1) / step;
    // The extra band of a one-pixel grid over the whole int range would be
    // number 2^31, which no int can name.
    return k < count && k < INT32_MAX ? static_cast<int>(k + 1) : 0;
  }
  bool Band(std::int64_t number, std::int64_t& start, std::int64_t& end) const {
    if (number < 1 || number > count) return false;
    start = from + (number - 1) * step;
    end = start + step;
    return true;
  }
};

}  // namespace

Canvas::Canvas() {
  SetTextStyle(15, 255, 0, 0);
  SetPen(1, 255, 0, 0);
  SetBrush(255, 0, 0);
}

void Canvas::Attach(WindowHost*, int w, int h) {
  width = w;
  height = h;
  const bool fits = w > 0 && h > 0 && w <= kMaxCanvasSide && h <= kMaxCanvasSide &&
                    static_cast<std::int64_t>(w) * h <= kMaxCanvasPixels;
  if (!fits && w > 0 && h > 0) width = height = 0;
  surfaceWidth_ = fits ? w : 0;
  surfaceHeight_ = fits ? h : 0;
  std::vector<std::uint32_t>().swap(pixels_);
  if (composing_) MakeSurface();
}

void Canvas::SetFileDirectory(std::string directory) {
  fileDirectory_ = std::move(directory);
  ForgetFrameFiles();
}

void Canvas::MakeSurface() {
  // A fresh surface is black; swapping releases the one it replaces.
  std::vector<std::uint32_t>(static_cast<std::size_t>(surfaceWidth_) * static_cast<std::size_t>(surfaceHeight_), 0u)
      .swap(pixels_);
}

void Canvas::SetComposing(bool on) {
  composing_ = on;
  if (on && pixels_.empty()) MakeSurface();
}

void Canvas::Present(WindowHost* window) {
  if (window && IsAttached()) window->ShowPixels(pixels_.data(), surfaceWidth_, surfaceHeight_);
}

void Canvas::Invalidate(WindowHost* window) {
  if (window) window->RequestRepaint();
}

void Canvas::Fill(std::uint32_t colour, std::size_t order) {
  const Surface surface = View();
  if (surface.Empty()) return;
  for (int y = surface.Top(); y < surface.Bottom(); ++y) {
    std::uint32_t* row = surface.pixels + static_cast<std::ptrdiff_t>(y) * surface.width;
    covers_.ForEachUncovered(order, y, surface.Left(), surface.Right(),
                             [&](std::int64_t a, std::int64_t b) { std::fill(row + a, row + b, colour); });
  }
}

void Canvas::ClearBlack() {
  const std::size_t order = drawOrder_++;
  if (sink_) sink_->OnClear(true);
  Fill(0u, order);
}

void Canvas::ClearWhite() {
  const std::size_t order = drawOrder_++;
  if (sink_) sink_->OnClear(false);
  Fill(0x00FFFFFFu, order);
}

void Canvas::SetRegion(int x, int y, int w, int h) {
  // Kept in the int range: the surface cuts the rest.
  auto narrow = [](std::int64_t v) { return static_cast<int>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX)); };
  regionLeft_ = x;
  regionTop_ = y;
  regionRight_ = narrow(std::int64_t{x} + std::max(w, 0));
  regionBottom_ = narrow(std::int64_t{y} + std::max(h, 0));
}

CanvasBox Canvas::Region() const {
  return CanvasBox{regionLeft_, regionTop_, regionRight_, regionBottom_}.Within({0, 0, width, height});
}

CanvasBox Canvas::TextBox(int x, int y, int height, std::string_view sjisText) {
  const TextCoverage* coverage = sjisText.empty() ? nullptr : texts_.Find(sjisText, height);
  if (!coverage) return {};
  const int left = x + coverage->offsetX, top = y + coverage->offsetY;
  return {left, top, left + coverage->width, top + coverage->height};
}

void Canvas::BeginFrame() {
  ForgetFrameFiles();
  inFrame_ = true;
  drawOrder_ = 0;
}

void Canvas::DrawAgainInFrame() {
  drawOrder_ = 0;
  covers_.Clear();
}

void Canvas::EndFrame() {
  ForgetFrameFiles();
  inFrame_ = false;
  // Plans of pictures replaced on disk during the frame are freed here.
  plans_.DropStale();
}

bool Canvas::OutsideRegion(int x, int y, int w, int h) {
  const Surface surface = View();
  return x >= surface.Right() || y >= surface.Bottom() || std::int64_t{x} + w <= surface.Left() ||
         std::int64_t{y} + h <= surface.Top();
}

void Canvas::ForgetFrameFiles() {
  framePictures_.clear();
  lastSprite_.plan = nullptr;
  covers_.Clear();
}

namespace {
// Sprites smaller than this cover too little to be worth looking ahead for.
constexpr std::int64_t kMinCoverPixels = 4096;
}  // namespace

void Canvas::AnnounceSprite(std::size_t order, int x, int y, std::string_view image, std::string_view mask, int w,
                            int h) {
  if (!inFrame_ || !Composes() || covers_.Full() || w <= 0 || h <= 0 || std::int64_t{w} * h < kMinCoverPixels) return;
  if (OutsideRegion(x, y, w, h)) return;
  const SpritePlan* plan =
      plans_.Find(LoadPicture(std::string(image).c_str()), LoadPicture(std::string(mask).c_str()), w, h);
  if (plan) covers_.Add(order, x, y, *plan);
}

void Canvas::SetTextStyle(int h, int r, int g, int b) {
  fontHeight = h;
  textRed = r;
  textGreen = g;
  textBlue = b;
}

void Canvas::PutText(int x, int y, const char* text) {
  ++drawOrder_;
  if (!text) text = "";
  if (sink_) sink_->OnText(x, y, fontHeight, textRed, textGreen, textBlue, text);
  if (!Composes() || *text == '\0') return;
  const TextCoverage* coverage = texts_.Find(text, fontHeight);
  if (!coverage) return;
  BlendCoverage(View(), x, y, *coverage, SurfaceColour(textRed, textGreen, textBlue));
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

void Canvas::DrawRect(int left, int top, int right, int bottom) {
  ++drawOrder_;
  DrawRectangleFigure(View(), left, top, right, bottom, penWidth, SurfaceColour(penRed, penGreen, penBlue),
                      SurfaceColour(brushRed, brushGreen, brushBlue));
}

void Canvas::DrawEllipse(int left, int top, int right, int bottom) {
  ++drawOrder_;
  DrawEllipseFigure(View(), left, top, right, bottom, penWidth, SurfaceColour(penRed, penGreen, penBlue),
                    SurfaceColour(brushRed, brushGreen, brushBlue));
}

void Canvas::DrawLine(int x1, int y1, int x2, int y2) {
  ++drawOrder_;
  if (sink_) sink_->OnLine(x1, y1, x2, y2, penWidth, penRed, penGreen, penBlue);
  DrawPenLine(View(), x1, y1, x2, y2, penWidth, SurfaceColour(penRed, penGreen, penBlue));
}

void Canvas::DrawGrid(int left, int top, int right, int bottom, int rows, int columns) {
  ++drawOrder_;
  const Surface surface = View();
  if (surface.Empty()) return;
  const std::uint32_t colour = SurfaceColour(penRed, penGreen, penBlue);
  // Only lines that can reach the surface are drawn; the rest would touch
  // no pixel, and a fine grid over a huge extent would take ages.
  const std::int64_t reach = std::max(penWidth, 1) / 2 + 1;
  auto drawLines = [&](std::int64_t lo, std::int64_t hi, std::int64_t parts, std::int64_t surfaceSize,
                       bool horizontal) {
    if (parts == 0) return;
    const std::int64_t step = (hi - lo) / parts;
    if (step < 1) return;  // the walk would never reach the far edge
    std::int64_t k = 0;
    if (lo < -reach) k = (-reach - lo) / step;
    for (std::int64_t p = lo + k * step; p <= hi && p <= surfaceSize + reach; p += step) {
      if (horizontal) {
        DrawPenLine(surface, left, p, right, p, penWidth, colour);
      } else {
        DrawPenLine(surface, p, top, p, bottom, penWidth, colour);
      }
    }
  };
  drawLines(top, bottom, rows, surface.height, true);
  drawLines(left, right, columns, surface.width, false);
}

int Canvas::PointInRect(int left, int top, int right, int bottom, int px, int py) {
  return (left <= px && px <= right && top <= py && py <= bottom) ? 1 : 0;
}

GridCell Canvas::GridCellAt(int left, int top, int right, int bottom, int rows, int columns, int px, int py) {
  GridCell cell;
  cell.row = Bands(top, bottom, rows).BandOf(py);
  cell.column = Bands(left, right, columns).BandOf(px);
  return cell;
}

CellRect Canvas::GridCellRect(int left, int top, int right, int bottom, int rows, int columns, int row, int column) {
  CellRect rect;
  std::int64_t start = 0, end = 0;
  // Cell edges of a band reaching past the int range are cut to it.
  auto narrow = [](std::int64_t v) { return static_cast<int>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX)); };
  if (Bands(top, bottom, rows).Band(row, start, end)) {
    rect.top = narrow(start);
    rect.bottom = narrow(end);
  }
  if (Bands(left, right, columns).Band(column, start, end)) {
    rect.left = narrow(start);
    rect.right = narrow(end);
  }
  return rect;
}

std::string Canvas::PicturePath(const char* fileName) const {
  const std::string name = fileName ? fileName : "";
  if (name.empty() || fileDirectory_.empty()) return name;
#ifdef _WIN32
  const bool hasPath = name.find_first_of("/\\:") != std::string::npos;
#else
  const bool hasPath = name.find('/') != std::string::npos;
#endif
  if (hasPath) return name;
  const char last = fileDirectory_.back();
  const bool separated = last == '/' || last == '\\';
  return fileDirectory_ + (separated ? "" : "/") + name;
}

std::shared_ptr<const Picture> Canvas::LoadPicture(const char* name) {
  if (!*name) return nullptr;
  if (!inFrame_) {
    std::shared_ptr<const Picture> picture = pictures_.Load(PicturePath(name));
    Remember(name, picture);
    return picture;
  }
  for (const FramePicture& known : framePictures_)
    if (known.name == name) return known.picture;
  std::shared_ptr<const Picture> picture = pictures_.Load(PicturePath(name));
  framePictures_.push_back({name, picture});
  Remember(name, picture);
  return picture;
}

void Canvas::Remember(const char* name, const std::shared_ptr<const Picture>& picture) {
  for (FramePicture& known : knownPictures_)
    if (known.name == name) {
      known.picture = picture;
      return;
    }
  knownPictures_.push_back({name, picture});
}

bool Canvas::PicturesAsLastRead() {
  bool same = true;
  // Each lookup puts what it read in its entry (no entry is added: the name
  // is known), so the old picture is taken first.
  for (FramePicture& known : knownPictures_) {
    const std::shared_ptr<const Picture> before = known.picture;
    same = LoadPicture(known.name.c_str()) == before && same;
  }
  return same;
}

void Canvas::DrawSprite(int x, int y, const char* image, const char* mask, int w, int h, DrawTag tag) {
  const std::size_t order = drawOrder_++;
  if (!image) image = "";
  if (!mask) mask = "";
  if (sink_) sink_->OnSprite(image, mask, x, y, w, h, tag);
  if (!Composes() || w <= 0 || h <= 0) return;
  // Outside the part being drawn it changes nothing: not worth a lookup.
  if (OutsideRegion(x, y, w, h)) return;
  const Surface surface = View();
  LastSprite& last = lastSprite_;
  if (last.plan && last.w == w && last.h == h && last.image == image && last.mask == mask) {
    BlitSpritePlan(surface, x, y, *last.plan, &covers_, order);
    return;
  }
  const std::shared_ptr<const Picture> imagePicture = LoadPicture(image);
  const std::shared_ptr<const Picture> maskPicture = LoadPicture(mask);
  const SpritePlan* plan = plans_.Find(imagePicture, maskPicture, w, h);
  if (!plan) {
    CompositeSprite(surface, x, y, w, h, imagePicture.get(), maskPicture.get(), spriteScratch_);
    return;
  }
  BlitSpritePlan(surface, x, y, *plan, &covers_, order);
  // Outside a frame every draw looks its files up again.
  if (!inFrame_) return;
  last.image = image;
  last.mask = mask;
  last.w = w;
  last.h = h;
  last.plan = plan;
}
