#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

// Glyph coverage of one text run, ready for the canvas to blend in the text
// colour. Pixel (0, 0) of the coverage lands at (x + offsetX, y + offsetY)
// when the text is drawn with its top-left corner at (x, y).
struct TextCoverage {
  int width = 0;
  int height = 0;
  int offsetX = 0;
  int offsetY = 0;
  std::vector<std::uint8_t> alpha;  // width * height, rows top-down, 0..255
};

// Lays out and rasterises a Shift-JIS (code page 932) text in the game's
// Japanese gothic face with the given character cell height. The core only
// calls it: each program links the implementation of its platform
// (marobel_platform: FreeType, GDI or the page's canvas). Returns false
// (and leaves `out` empty) when there is nothing to draw or no face could
// be found.
bool RasterizeText(std::string_view sjisText, int cellHeight, TextCoverage& out);
