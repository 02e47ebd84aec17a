#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "canvas/text_rasterizer.h"

// Rasterised texts kept for reuse: a frame draws the same few texts tick
// after tick, and laying out glyphs costs more than blending them. The
// rasteriser gives the same coverage for the same text and height, so a
// kept one is what it would draw again.
class TextCoverageCache {
 public:
  // The coverage of `sjisText` at `cellHeight`, or null when it draws
  // nothing. Valid until the next Find.
  const TextCoverage* Find(std::string_view sjisText, int cellHeight);

 private:
  struct Entry {
    std::string text;
    int height = 0;
    bool drawn = false;
    TextCoverage coverage;
    std::uint64_t used = 0;
  };
  std::vector<Entry> entries_;
  std::uint64_t clock_ = 0;
  TextCoverage unkept_;  // a coverage too big to keep, for the call that asked
};
