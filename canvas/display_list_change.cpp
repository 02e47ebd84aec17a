#include "canvas/display_list_change.h"

#include <algorithm>
#include <climits>
#include <cstdint>

#include "canvas/canvas.h"

namespace {

// The same call but perhaps for where it draws and how large.
bool Alike(const DrawCall& a, const DrawCall& b) {
  return a.kind == b.kind && a.tag == b.tag && a.size == b.size && a.red == b.red && a.green == b.green &&
         a.blue == b.blue && a.image == b.image && a.mask == b.mask && a.text == b.text;
}

bool SamePlace(const DrawCall& a, const DrawCall& b) { return a.x == b.x && a.y == b.y && a.w == b.w && a.h == b.h; }

// Two lists out of step find each other again within this many calls (a
// coin that came or went, a text that changed), or the calls are taken as
// replaced one by one.
constexpr std::size_t kResyncCalls = 8;

std::int64_t Area(const CanvasBox& box) {
  return box.Empty() ? 0 : std::int64_t{box.right - box.left} * (box.bottom - box.top);
}

bool Overlap(const CanvasBox& a, const CanvasBox& b) { return !a.Within(b).Empty(); }

// The boxes of the calls that differ, gathered into a few: things apart
// (a coin at the top of a lane, the pusher, a text) stay apart.
class ChangedArea {
 public:
  explicit ChangedArea(Canvas& canvas) : canvas_(canvas) {}
  void Add(const DrawCall& call) {
    switch (call.kind) {
      case DrawCallKind::ClearBlack:
      case DrawCallKind::ClearWhite:
        // Every canvas; halved so that areas of boxes never overflow.
        Add({INT_MIN / 2, INT_MIN / 2, INT_MAX / 2, INT_MAX / 2});
        break;
      case DrawCallKind::Sprite:
        // Nothing outside its own rectangle, nothing at all without a size.
        if (call.w > 0 && call.h > 0) Add({call.x, call.y, call.x + call.w, call.y + call.h});
        break;
      case DrawCallKind::Text:
        Add(canvas_.TextBox(call.x, call.y, call.size, call.text));
        break;
      case DrawCallKind::Line: {
        // A pen's round caps reach half its width past each end; a pixel
        // more for the rounding.
        const int reach = std::max(call.size, 1) + 1;
        Add({std::min(call.x, call.w) - reach, std::min(call.y, call.h) - reach, std::max(call.x, call.w) + reach,
             std::max(call.y, call.h) + reach});
        break;
      }
    }
  }

  std::vector<CanvasBox> Boxes() {
    // Boxes that overlap become one, until none do.
    for (bool merged = true; merged;) {
      merged = false;
      for (std::size_t i = 0; i < boxes_.size(); ++i)
        for (std::size_t j = i + 1; j < boxes_.size(); ++j)
          if (Overlap(boxes_[i], boxes_[j])) {
            boxes_[i] = boxes_[i].With(boxes_[j]);
            boxes_.erase(boxes_.begin() + static_cast<std::ptrdiff_t>(j));
            merged = true;
            --j;
          }
    }
    // Then the two that grow least together, until few enough are left;
    // joined they may overlap others, which are taken in too.
    while (boxes_.size() > kMostChangedBoxes) {
      std::size_t bestI = 0, bestJ = 1;
      std::int64_t least = INT64_MAX;
      for (std::size_t i = 0; i < boxes_.size(); ++i)
        for (std::size_t j = i + 1; j < boxes_.size(); ++j) {
          const std::int64_t growth = Area(boxes_[i].With(boxes_[j])) - Area(boxes_[i]) - Area(boxes_[j]);
          if (growth < least) least = growth, bestI = i, bestJ = j;
        }
      CanvasBox joined = boxes_[bestI].With(boxes_[bestJ]);
      boxes_.erase(boxes_.begin() + static_cast<std::ptrdiff_t>(bestJ));
      boxes_.erase(boxes_.begin() + static_cast<std::ptrdiff_t>(bestI));
      for (bool grew = true; grew;) {
        grew = false;
        for (std::size_t k = 0; k < boxes_.size(); ++k)
          if (Overlap(joined, boxes_[k])) {
            joined = joined.With(boxes_[k]);
            boxes_.erase(boxes_.begin() + static_cast<std::ptrdiff_t>(k));
            grew = true;
            break;
          }
      }
      boxes_.push_back(joined);
    }
    // Each box costs a pass over the list: boxes that fill much of their
    // bounds are drawn as the one box.
    CanvasBox bounds;
    std::int64_t inBoxes = 0;
    for (const CanvasBox& box : boxes_) {
      bounds = bounds.With(box);
      inBoxes += Area(box);
    }
    if (boxes_.size() > 1 && 2 * inBoxes >= Area(bounds)) return {bounds};
    return std::move(boxes_);
  }

 private:
  void Add(const CanvasBox& box) {
    if (box.Empty()) return;
    // A box overlapping one gathered (a coin's place before and after,
    // coins side by side) joins it; past a few boxes, each new one joins
    // the one it grows least, so a table of a thousand coins costs no more
    // than a few.
    std::size_t best = boxes_.size();
    std::int64_t least = INT64_MAX;
    for (std::size_t i = 0; i < boxes_.size(); ++i) {
      if (Overlap(boxes_[i], box)) {
        best = i;
        break;
      }
      const std::int64_t growth = Area(boxes_[i].With(box)) - Area(boxes_[i]);
      if (growth < least) least = growth, best = i;
    }
    if (best < boxes_.size() && (Overlap(boxes_[best], box) || boxes_.size() >= kGatheredBoxes))
      boxes_[best] = boxes_[best].With(box);
    else
      boxes_.push_back(box);
  }
  static constexpr std::size_t kGatheredBoxes = 16;
  Canvas& canvas_;
  std::vector<CanvasBox> boxes_;
};

}  // namespace

std::vector<CanvasBox> WhereListsDiffer(const DisplayList& before, const DisplayList& after, Canvas& canvas) {
  const std::vector<DrawCall>& a = before.calls;
  const std::vector<DrawCall>& b = after.calls;
  ChangedArea changed(canvas);
  std::size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    if (Alike(a[i], b[j])) {
      if (!SamePlace(a[i], b[j])) {
        changed.Add(a[i]);
        changed.Add(b[j]);
      }
      ++i, ++j;
      continue;
    }
    // Calls one list has and the other lacks: up to where they go on alike.
    std::size_t onlyBefore = 1, onlyAfter = 1;
    for (std::size_t k = 1; k <= kResyncCalls; ++k) {
      if (i + k < a.size() && Alike(a[i + k], b[j])) {
        onlyBefore = k, onlyAfter = 0;
        break;
      }
      if (j + k < b.size() && Alike(a[i], b[j + k])) {
        onlyBefore = 0, onlyAfter = k;
        break;
      }
    }
    for (; onlyBefore > 0; --onlyBefore) changed.Add(a[i++]);
    for (; onlyAfter > 0; --onlyAfter) changed.Add(b[j++]);
  }
  for (; i < a.size(); ++i) changed.Add(a[i]);
  for (; j < b.size(); ++j) changed.Add(b[j]);
  return changed.Boxes();
}
