#include "tools/artgen/pixel_font.h"

#include <cstring>

namespace artgen {

namespace {

struct Glyph {
  char ch;
  const char* rows[kGlyphHeight];  // '#' is ink; every row has the glyph's width
};

// The 1 is a single column so that "+100" fits a 13-pixel prize cell.
constexpr Glyph kGlyphs[] = {
    {'0', {"###", "#.#", "#.#", "#.#", "###"}},
    {'1', {"#", "#", "#", "#", "#"}},
    {'2', {"###", "..#", "###", "#..", "###"}},
    {'3', {"###", "..#", ".##", "..#", "###"}},
    {'4', {"#.#", "#.#", "###", "..#", "..#"}},
    {'5', {"###", "#..", "###", "..#", "###"}},
    {'6', {"###", "#..", "###", "#.#", "###"}},
    {'7', {"###", "..#", ".#.", ".#.", ".#."}},
    {'8', {"###", "#.#", "###", "#.#", "###"}},
    {'9', {"###", "#.#", "###", "..#", "###"}},
    {'+', {"...", ".#.", "###", ".#.", "..."}},
    {'-', {"...", "...", "###", "...", "..."}},
    {'x', {"...", "#.#", ".#.", "#.#", "..."}},
    {'A', {".#.", "#.#", "###", "#.#", "#.#"}},
    {'B', {"##.", "#.#", "##.", "#.#", "##."}},
    {'E', {"###", "#..", "##.", "#..", "###"}},
    {'L', {"#..", "#..", "#..", "#..", "###"}},
    {'M', {"#...#", "##.##", "#.#.#", "#...#", "#...#"}},
    {'O', {".#.", "#.#", "#.#", "#.#", ".#."}},
    {'R', {"##.", "#.#", "##.", "#.#", "#.#"}},
    {'N', {"#..#", "##.#", "#.##", "#..#", "#..#"}},
    {'U', {"#.#", "#.#", "#.#", "#.#", "###"}},
    {'S', {".##", "#..", ".#.", "..#", "##."}},
    {'C', {".##", "#..", "#..", "#..", ".##"}},
    {'I', {"#", "#", "#", "#", "#"}},
    {' ', {"..", "..", "..", "..", ".."}},
};

const Glyph* Find(char ch) {
  for (const Glyph& g : kGlyphs)
    if (g.ch == ch) return &g;
  return nullptr;
}

int GlyphWidth(const Glyph& g) { return static_cast<int>(std::strlen(g.rows[0])); }

}  // namespace

int TextWidth(std::string_view text) {
  int width = 0;
  int count = 0;
  for (char ch : text) {
    if (const Glyph* g = Find(ch)) {
      width += GlyphWidth(*g);
      ++count;
    }
  }
  return count > 0 ? width + count - 1 : 0;
}

void DrawText(Picture& picture, int x, int y, std::string_view text, Rgb colour, int scale) {
  for (char ch : text) {
    const Glyph* g = Find(ch);
    if (!g) continue;
    const int w = GlyphWidth(*g);
    for (int row = 0; row < kGlyphHeight; ++row)
      for (int col = 0; col < w; ++col)
        if (g->rows[row][col] == '#') picture.FillRect(x + col * scale, y + row * scale, scale, scale, colour);
    x += (w + 1) * scale;
  }
}

}  // namespace artgen
