#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "canvas/picture.h"
#include "canvas/surface.h"

// What drawing one image and mask at one size takes, worked out once: each
// destination row as runs of pixels the sprite covers (the result is the
// image's pixel whatever lay below), leaves clear (the surface keeps its
// pixel) or mixes (the exact rule, (canvas OR mask) AND image). Pictures
// of the game are all or nothing almost everywhere, so a sprite is mostly
// plain copies and skipped gaps. Clear is judged for surface pixels of the
// canvas layout, 0x00RRGGBB: a top byte the layout never holds is not kept.
struct SpritePlan {
  enum class Kind : std::uint8_t { Covered, Mixed };
  struct Run {
    int start = 0;  // first sprite column
    int length = 0;
    Kind kind = Kind::Covered;
    // Where the run's pixels begin in `values`: a covered run has its
    // image pixels there, a mixed one its mask pixels and then its image's.
    std::size_t values = 0;
  };

  // Sprite columns [start, end) of one row.
  struct Span {
    int start = 0;
    int end = 0;
  };

  int width = 0;
  int height = 0;
  std::vector<std::size_t> rowRuns;  // height + 1 offsets into runs; clear gaps have none
  std::vector<Run> runs;
  std::vector<std::uint32_t> values;
  // Each row's longest covered run: what the sprite hides of whatever was
  // drawn below it (an empty span where it covers nothing).
  std::vector<Span> solid;

  std::size_t Bytes() const {
    return rowRuns.size() * sizeof(std::size_t) + runs.size() * sizeof(Run) + values.size() * sizeof(std::uint32_t) +
           solid.size() * sizeof(Span);
  }
};

// Largest sprite, in destination pixels, worth a plan: a bigger one is
// drawn by the general compositor, straight from its pictures.
inline constexpr std::int64_t kMaxPlannedPixels = std::int64_t{1} << 20;

// The plan of image and mask (either may be null or empty, as for
// CompositeSprite) stretched to w by h; false when there is nothing to draw
// or the sprite is too big to plan.
bool BuildSpritePlan(const Picture* image, const Picture* mask, int w, int h, SpritePlan& plan);

// Draws a planned sprite with its top-left corner at (x, y), inside the
// surface's clip: the same pixels as CompositeSprite gives. With covers,
// the parts that sprites drawn after call `order` cover are left out.
class CoverMap;
void BlitSpritePlan(const Surface& surface, std::int64_t x, std::int64_t y, const SpritePlan& plan,
                    const CoverMap* covers = nullptr, std::size_t order = 0);
