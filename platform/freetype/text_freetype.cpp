// Text for builds other than Windows: FreeType renders the glyphs of the
// Japanese gothic face that fontconfig finds, as grey-level coverage.
//
// Size: a positive height is the character cell height, as the Windows font
// mapper takes it: the face's Windows ascent plus descent (its OS/2
// usWinAscent + usWinDescent, or the horizontal header's extent where the
// face has no OS/2 table) is scaled to that many pixels, and the baseline
// lies the scaled ascent below the top of the text. A negative height is
// the em height instead. Height 0 draws nothing.
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <mutex>
#include <vector>

#include "platform/freetype/gothic_font_finder.h"
#include "canvas/shift_jis.h"
#include "canvas/text_rasterizer.h"

namespace {

// Limits that keep an absurd height or text from asking for gigabytes.
constexpr int kMaxTextHeight = 2048;
constexpr std::size_t kMaxCoverageBytes = std::size_t{64} << 20;

// Loading a face takes milliseconds and the game draws two texts a frame,
// so the face is opened once and kept for the life of the process.
class GothicFace {
 public:
  static GothicFace& Instance() {
    static GothicFace face;
    return face;
  }
  FT_Face face() const { return face_; }
  std::mutex& lock() { return lock_; }

 private:
  GothicFace() {
    FontFileRef file;
    if (!FindGothicFontFile(file)) return;
    if (FT_Init_FreeType(&library_) != 0) {
      library_ = nullptr;
      return;
    }
    if (FT_New_Face(library_, file.path.c_str(), file.faceIndex, &face_) != 0) {
      face_ = nullptr;
      return;
    }
    FT_Select_Charmap(face_, FT_ENCODING_UNICODE);
  }

  FT_Library library_ = nullptr;
  FT_Face face_ = nullptr;
  std::mutex lock_;
};

// The converter yields well-formed UTF-8; a malformed byte still only
// becomes one replacement character.
std::vector<char32_t> DecodeUtf8(const std::string& text) {
  std::vector<char32_t> out;
  for (std::size_t i = 0; i < text.size();) {
    const unsigned char lead = static_cast<unsigned char>(text[i]);
    const std::size_t extra = lead < 0x80 ? 0 : lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 4;
    if (extra > 3 || extra >= text.size() - i) {
      out.push_back(extra == 0 ? lead : 0xFFFD);
      ++i;
      continue;
    }
    char32_t c = extra == 0 ? lead : static_cast<char32_t>(lead & (0x3F >> extra));
    for (std::size_t k = 1; k <= extra; ++k) c = c << 6 | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    out.push_back(c);
    i += extra + 1;
  }
  return out;
}

struct PlacedGlyph {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> alpha;
};

// Copies the rendered glyph of the slot as 0..255 coverage.
bool CopyBitmap(const FT_Bitmap& bitmap, PlacedGlyph& glyph) {
  glyph.width = static_cast<int>(bitmap.width);
  glyph.height = static_cast<int>(bitmap.rows);
  glyph.alpha.assign(static_cast<std::size_t>(glyph.width) * glyph.height, 0);
  for (int y = 0; y < glyph.height; ++y) {
    const unsigned char* row = bitmap.buffer + static_cast<std::ptrdiff_t>(y) * bitmap.pitch;
    std::uint8_t* out = glyph.alpha.data() + static_cast<std::size_t>(y) * glyph.width;
    for (int x = 0; x < glyph.width; ++x) {
      if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) {
        out[x] = (row[x >> 3] >> (7 - (x & 7)) & 1) ? 255 : 0;
      } else if (bitmap.pixel_mode == FT_PIXEL_MODE_GRAY) {
        out[x] = static_cast<std::uint8_t>(bitmap.num_grays == 256 ? row[x]
                                                                   : row[x] * 255 / std::max(1, bitmap.num_grays - 1));
      } else {
        return false;
      }
    }
  }
  return true;
}

}  // namespace

bool RasterizeText(std::string_view sjisText, int cellHeight, TextCoverage& out) {
  out = TextCoverage{};
  if (sjisText.empty() || cellHeight == 0 || cellHeight > kMaxTextHeight || cellHeight < -kMaxTextHeight) return false;
  GothicFace& gothic = GothicFace::Instance();
  FT_Face face = gothic.face();
  if (!face) return false;
  const std::vector<char32_t> text = DecodeUtf8(ShiftJisToUtf8(sjisText));
  std::lock_guard<std::mutex> hold(gothic.lock());

  double ascentUnits = face->ascender;
  double extentUnits = static_cast<double>(face->ascender) - face->descender;
  if (const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
      os2 && os2->usWinAscent + os2->usWinDescent > 0) {
    ascentUnits = os2->usWinAscent;
    extentUnits = static_cast<double>(os2->usWinAscent) + os2->usWinDescent;
  }
  if (!(extentUnits > 0.0) || face->units_per_EM == 0) return false;
  const double em = cellHeight > 0 ? cellHeight * face->units_per_EM / extentUnits : -cellHeight;
  if (FT_Set_Char_Size(face, 0, static_cast<FT_F26Dot6>(std::lround(em * 64.0)), 72, 72) != 0) return false;
  const int baseline = static_cast<int>(std::lround(ascentUnits * em / face->units_per_EM));
  const int lineHeight =
      cellHeight > 0 ? cellHeight : static_cast<int>(std::lround(extentUnits * em / face->units_per_EM));

  std::vector<PlacedGlyph> glyphs;
  FT_Pos penX = 0;  // 26.6
  int minX = 0, minY = 0, maxX = 0, maxY = lineHeight;
  for (char32_t c : text) {
    const FT_UInt index = FT_Get_Char_Index(face, c);
    if (FT_Load_Glyph(face, index, FT_LOAD_DEFAULT) != 0) continue;
    if (face->glyph->format != FT_GLYPH_FORMAT_BITMAP && FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL) != 0)
      continue;
    PlacedGlyph glyph;
    if (!CopyBitmap(face->glyph->bitmap, glyph)) continue;
    glyph.left = static_cast<int>(penX >> 6) + face->glyph->bitmap_left;
    glyph.top = baseline - face->glyph->bitmap_top;
    penX += face->glyph->advance.x;
    const int nextMinX = std::min(minX, glyph.left), nextMaxX = std::max(maxX, glyph.left + glyph.width);
    const int nextMinY = std::min(minY, glyph.top), nextMaxY = std::max(maxY, glyph.top + glyph.height);
    // Glyphs that would make the coverage too big are left off the end.
    if (static_cast<std::size_t>(nextMaxX - nextMinX) * static_cast<std::size_t>(nextMaxY - nextMinY) >
        kMaxCoverageBytes)
      break;
    minX = nextMinX, maxX = nextMaxX, minY = nextMinY, maxY = nextMaxY;
    if (glyph.width > 0 && glyph.height > 0) glyphs.push_back(std::move(glyph));
  }
  if (glyphs.empty() || maxX <= minX) return false;

  out.offsetX = minX;
  out.offsetY = minY;
  out.width = maxX - minX;
  out.height = maxY - minY;
  out.alpha.assign(static_cast<std::size_t>(out.width) * out.height, 0);
  for (const PlacedGlyph& g : glyphs) {
    for (int y = 0; y < g.height; ++y) {
      std::uint8_t* dst = out.alpha.data() + static_cast<std::size_t>(g.top - minY + y) * out.width + (g.left - minX);
      const std::uint8_t* src = g.alpha.data() + static_cast<std::size_t>(y) * g.width;
      for (int x = 0; x < g.width; ++x) dst[x] = std::max(dst[x], src[x]);
    }
  }
  return true;
}
