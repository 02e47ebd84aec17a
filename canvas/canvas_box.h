#pragma once

// Canvas pixels from (left, top) up to, not including, (right, bottom).
struct CanvasBox {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool Empty() const { return left >= right || top >= bottom; }
  CanvasBox Within(const CanvasBox& o) const {
    return {left > o.left ? left : o.left, top > o.top ? top : o.top, right < o.right ? right : o.right,
            bottom < o.bottom ? bottom : o.bottom};
  }
  // The smallest box holding both; an empty one adds nothing.
  CanvasBox With(const CanvasBox& o) const {
    if (o.Empty()) return *this;
    if (Empty()) return o;
    return {left < o.left ? left : o.left, top < o.top ? top : o.top, right > o.right ? right : o.right,
            bottom > o.bottom ? bottom : o.bottom};
  }
  friend bool operator==(const CanvasBox&, const CanvasBox&) = default;
};
