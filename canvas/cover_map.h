#pragma once
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "canvas/sprite_plan.h"

// What the big sprites of a frame cover whole, row by row, and from which
// drawing call on: a covered pixel takes the sprite's pixel whatever lay
// below, so anything drawn there before that sprite is wasted work and can
// be left out without changing the picture. Calls are numbered in the
// order the frame makes them.
class CoverMap {
 public:
  void Clear() { covers_.clear(); }
  bool Full() const { return covers_.size() >= kMaxCovers; }

  // Call number `order` draws `plan` with its top-left corner at (x, y).
  void Add(std::size_t order, std::int64_t x, std::int64_t y, const SpritePlan& plan) {
    if (Full()) return;
    covers_.push_back({order, x, y, plan.solid});
  }

  // Whether any sprite after call `order` covers something.
  bool CoversAfter(std::size_t order) const {
    for (const Cover& c : covers_)
      if (c.order > order) return true;
    return false;
  }

  // Calls draw(a, b) for every stretch [a, b) of surface columns [from, to)
  // on row y that no sprite after call `order` covers, left to right.
  template <class Draw>
  void ForEachUncovered(std::size_t order, std::int64_t y, std::int64_t from, std::int64_t to, Draw draw) const {
    std::array<std::pair<std::int64_t, std::int64_t>, kMaxCovers> spans;
    std::size_t count = 0;
    for (const Cover& c : covers_) {
      if (c.order <= order || y < c.y || y >= c.y + static_cast<std::int64_t>(c.rows.size())) continue;
      const SpritePlan::Span& s = c.rows[static_cast<std::size_t>(y - c.y)];
      if (s.start < s.end) spans[count++] = {c.x + s.start, c.x + s.end};
    }
    std::sort(spans.begin(), spans.begin() + static_cast<std::ptrdiff_t>(count));
    std::int64_t at = from;
    for (std::size_t k = 0; k < count && at < to; ++k) {
      if (spans[k].first > at) draw(at, std::min(spans[k].first, to));
      at = std::max(at, spans[k].second);
    }
    if (at < to) draw(at, to);
  }

 private:
  static constexpr std::size_t kMaxCovers = 8;
  struct Cover {
    std::size_t order;
    std::int64_t x, y;
    std::vector<SpritePlan::Span> rows;
  };
  std::vector<Cover> covers_;
};
