#include "canvas/text_coverage_cache.h"

#include <algorithm>

namespace {

// The game draws two short texts a frame; a few more are kept for a credit
// count that changes back and forth. Huge texts are drawn but not kept.
constexpr std::size_t kMaxEntries = 8;
constexpr std::size_t kMaxKeptBytes = std::size_t{1} << 20;

}  // namespace

const TextCoverage* TextCoverageCache::Find(std::string_view sjisText, int cellHeight) {
  ++clock_;
  for (Entry& e : entries_) {
    if (e.height == cellHeight && e.text == sjisText) {
      e.used = clock_;
      return e.drawn ? &e.coverage : nullptr;
    }
  }
  Entry entry;
  entry.drawn = RasterizeText(sjisText, cellHeight, entry.coverage);
  if (entry.coverage.alpha.size() > kMaxKeptBytes) {
    unkept_ = std::move(entry.coverage);
    return entry.drawn ? &unkept_ : nullptr;
  }
  entry.text.assign(sjisText);
  entry.height = cellHeight;
  entry.used = clock_;
  if (entries_.size() >= kMaxEntries) {
    auto oldest = std::min_element(entries_.begin(), entries_.end(),
                                   [](const Entry& a, const Entry& b) { return a.used < b.used; });
    *oldest = std::move(entry);
    return oldest->drawn ? &oldest->coverage : nullptr;
  }
  entries_.push_back(std::move(entry));
  return entries_.back().drawn ? &entries_.back().coverage : nullptr;
}
