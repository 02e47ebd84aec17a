// Runs under Wine (or Windows): the GDI text rasteriser must give coverage
// that is as tall as the cell, grows with the text, keeps full-width
// characters twice as wide as half-width ones, and draws nothing for
// nothing. Exit status 0 when every check holds.
#include <cstdio>
#include <string>

#include "platform/windows/gothic_face.h"
#include "canvas/text_rasterizer.h"

namespace {

int failures = 0;

void Check(bool ok, const char* what) {
  std::printf("%s %s\n", ok ? "ok  " : "FAIL", what);
  if (!ok) ++failures;
}

int InkColumns(const TextCoverage& c) {
  int columns = 0;
  for (int x = 0; x < c.width; ++x) {
    bool ink = false;
    for (int y = 0; y < c.height && !ink; ++y) ink = c.alpha[static_cast<std::size_t>(y) * c.width + x] > 64;
    columns += ink ? 1 : 0;
  }
  return columns;
}

long Ink(const TextCoverage& c) {
  long sum = 0;
  for (std::uint8_t a : c.alpha) sum += a;
  return sum;
}

int InkRows(const TextCoverage& c) {
  int first = -1, last = -1;
  for (int y = 0; y < c.height; ++y)
    for (int x = 0; x < c.width; ++x)
      if (c.alpha[static_cast<std::size_t>(y) * c.width + x] > 64) {
        if (first < 0) first = y;
        last = y;
      }
  return first < 0 ? 0 : last - first + 1;
}

// Writes the coverage as a greyscale picture, for a person to look at.
void WritePgm(const TextCoverage& c, const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return;
  std::fprintf(file, "P5\n%d %d\n255\n", c.width, c.height);
  std::fwrite(c.alpha.data(), 1, c.alpha.size(), file);
  std::fclose(file);
}

}  // namespace

// Usage: marobel_win32_checks [folder to write the sample texts to]
int main(int argc, char** argv) {
  TextCoverage out;
  Check(!RasterizeText("", 15, out) && out.alpha.empty(), "an empty text draws nothing");
  Check(!RasterizeText("   ", 15, out), "spaces alone draw nothing");

  TextCoverage word;
  Check(RasterizeText("Marobel", 15, word), "an ASCII word is drawn");
  Check(word.alpha.size() == static_cast<std::size_t>(word.width) * word.height, "coverage matches its size");
  Check(word.height >= 14 && word.height <= 17, "the cell is about 15 pixels high");
  Check(InkRows(word) >= 8 && InkRows(word) <= 15, "capitals and descenders fill most of the cell");

  // A face without Latin glyphs draws the same box for every letter.
  TextCoverage dot, letter;
  RasterizeText(".", 15, dot);
  RasterizeText("W", 15, letter);
  Check(Ink(dot) * 4 < Ink(letter), "letters have their own shapes (a dot has far less ink than W)");

  TextCoverage big;
  RasterizeText("Marobel", 30, big);
  Check(big.height >= 28 && big.width > word.width * 3 / 2, "a taller cell gives larger glyphs");

  // "ｺｲﾝ" (half-width) and "コイン" (full-width), as Shift-JIS bytes.
  TextCoverage half, full;
  Check(RasterizeText("\xBA\xB2\xDD", 16, half), "half-width katakana are drawn");
  Check(RasterizeText("\x83\x52\x83\x43\x83\x93", 16, full), "full-width katakana are drawn");
  Check(full.width > half.width * 3 / 2, "full-width text is about twice as wide as half-width");

  // Where no face has the glyphs, every character is the same empty box.
  Check(GothicFaceName() != nullptr, "a Japanese gothic face is installed or loaded from beside the program");
  TextCoverage ko, sheet, one, eight;
  RasterizeText("\xBA", 16, ko);         // ｺ
  RasterizeText("\x96\x87", 16, sheet);  // 枚
  RasterizeText("1", 16, one);
  RasterizeText("8", 16, eight);
  Check(ko.alpha != sheet.alpha && Ink(ko) * 2 < Ink(sheet), "Japanese characters have their own shapes");
  Check(Ink(one) * 4 < Ink(eight) * 3, "digits have their own shapes (1 has less ink than 8)");

  TextCoverage credits;
  Check(RasterizeText("CREDIT 123", 15, credits) && InkColumns(credits) > InkColumns(word),
        "a longer text covers more columns");

  if (argc > 1) {
    TextCoverage title;
    // "Marobel ～Orvik～" in Shift-JIS.
    RasterizeText("Marobel \x81\x60Orvik\x81\x60", 15, title);
    WritePgm(title, std::string(argv[1]) + "/title.pgm");
    WritePgm(full, std::string(argv[1]) + "/katakana.pgm");
    WritePgm(credits, std::string(argv[1]) + "/credits.pgm");
  }

  std::printf("%d failure(s)\n", failures);
  return failures == 0 ? 0 : 1;
}
