#pragma once
// The game's own tiny bitmap font, five pixels high, used for the prize board
// digits, the marquee and the bonus tag.
#include <string_view>

#include "tools/artgen/raster.h"

namespace artgen {

inline constexpr int kGlyphHeight = 5;

// Width in pixels of the text, one pixel of space between glyphs.
int TextWidth(std::string_view text);
// Draws the text with its top-left corner at (x, y), each font pixel `scale`
// pixels square. Characters without a glyph are skipped.
void DrawText(Picture& picture, int x, int y, std::string_view text, Rgb colour, int scale = 1);

}  // namespace artgen
