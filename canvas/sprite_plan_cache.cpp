#include "canvas/sprite_plan_cache.h"

#include <functional>

namespace {

// Bound on what the plans hold; the game's take a few megabytes.
constexpr std::size_t kMaxPlanBytes = std::size_t{48} << 20;

// Whether `held` names the very picture `wanted` holds (the same control
// block), without taking a reference: an address reused by a later picture
// never matches a plan of the one before it.
bool Same(const std::weak_ptr<const Picture>& held, const std::shared_ptr<const Picture>& wanted) {
  return !held.owner_before(wanted) && !wanted.owner_before(held);
}

bool Stale(const std::weak_ptr<const Picture>& held) {
  // A plan made without a picture holds an empty pointer, never expired.
  const bool none =
      !held.owner_before(std::weak_ptr<const Picture>{}) && !std::weak_ptr<const Picture>{}.owner_before(held);
  return !none && held.expired();
}

}  // namespace

std::size_t SpritePlanCache::KeyHash::operator()(const Key& k) const {
  std::size_t h = std::hash<const void*>{}(k.image);
  h = h * 31 + std::hash<const void*>{}(k.mask);
  h = h * 31 + static_cast<std::size_t>(k.w);
  return h * 31 + static_cast<std::size_t>(k.h);
}

const SpritePlan* SpritePlanCache::Find(const std::shared_ptr<const Picture>& image,
                                        const std::shared_ptr<const Picture>& mask, int w, int h) {
  const Key key{image.get(), mask.get(), w, h};
  auto found = plans_.find(key);
  if (found != plans_.end() && Same(found->second.image, image) && Same(found->second.mask, mask))
    return &found->second.plan;

  // A sprite with nothing to plan is not kept: finding that out costs
  // nothing, and odd sizes would otherwise pile up.
  Entry entry;
  if (!BuildSpritePlan(image.get(), mask.get(), w, h, entry.plan)) return nullptr;
  entry.image = image;
  entry.mask = mask;
  ++builds_;
  if (found != plans_.end()) {
    bytes_ -= found->second.plan.Bytes();
    plans_.erase(found);
  }
  if (bytes_ + entry.plan.Bytes() > kMaxPlanBytes) {
    DropStale();
    if (bytes_ + entry.plan.Bytes() > kMaxPlanBytes) {
      plans_.clear();
      bytes_ = 0;
    }
  }
  bytes_ += entry.plan.Bytes();
  return &plans_.insert_or_assign(key, std::move(entry)).first->second.plan;
}

void SpritePlanCache::DropStale() {
  for (auto it = plans_.begin(); it != plans_.end();) {
    if (Stale(it->second.image) || Stale(it->second.mask)) {
      bytes_ -= it->second.plan.Bytes();
      it = plans_.erase(it);
    } else {
      ++it;
    }
  }
}
