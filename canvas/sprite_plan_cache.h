#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <unordered_map>

#include "canvas/picture.h"
#include "canvas/sprite_plan.h"

// Sprite plans by the decoded pictures and the size they are drawn at. A
// plan holds its pictures weakly: once the picture cache lets a version of
// a file go (it changed on disk), the plans made of it are never found
// again and DropStale frees them.
class SpritePlanCache {
 public:
  // The plan of image and mask (either may be null) at w by h, made at the
  // first asking; null when the sprite has nothing to draw or is too big to
  // plan. Valid until the next Find or DropStale.
  const SpritePlan* Find(const std::shared_ptr<const Picture>& image, const std::shared_ptr<const Picture>& mask, int w,
                         int h);
  // Frees the plans whose pictures nobody holds any more.
  void DropStale();

  std::size_t PlanCount() const { return plans_.size(); }
  // How many plans have been made so far, for tests and benchmarks.
  std::size_t BuildCount() const { return builds_; }

 private:
  struct Key {
    const Picture* image;
    const Picture* mask;
    int w, h;
    bool operator==(const Key&) const = default;
  };
  struct KeyHash {
    std::size_t operator()(const Key& k) const;
  };
  struct Entry {
    std::weak_ptr<const Picture> image, mask;
    SpritePlan plan;
  };
  std::unordered_map<Key, Entry, KeyHash> plans_;
  std::size_t bytes_ = 0;
  std::size_t builds_ = 0;
};
