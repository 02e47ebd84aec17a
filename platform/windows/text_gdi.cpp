// Text for the Windows build: the system's own font machinery draws the
// glyphs, white on black, into a 32-bit DIB section, and their brightness is
// read back as coverage for the canvas to blend in the text colour.
#include <windows.h>

#include <algorithm>
#include <string>

#include "platform/windows/gothic_face.h"
#include "platform/windows/top_down_dib.h"
#include "canvas/text_rasterizer.h"

namespace {

constexpr UINT kShiftJisCodePage = 932;

std::wstring ShiftJisToWide(std::string_view text) {
  const int length = MultiByteToWideChar(kShiftJisCodePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(std::max(length, 0)), L'\0');
  if (length > 0)
    MultiByteToWideChar(kShiftJisCodePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}

// Every GDI object made here lives for one call, as the canvas's own
// drawing objects do.
struct ScratchDc {
  HDC dc = CreateCompatibleDC(nullptr);
  ~ScratchDc() { DeleteDC(dc); }
};

}  // namespace

bool RasterizeText(std::string_view sjisText, int cellHeight, TextCoverage& out) {
  out = TextCoverage{};
  if (sjisText.empty() || cellHeight == 0) return false;
  const std::wstring wide = ShiftJisToWide(sjisText);
  if (wide.empty()) return false;

  ScratchDc scratch;
  if (!scratch.dc) return false;
  // Grey-level antialiasing rather than the system default, which may be
  // subpixel colour that a single coverage value cannot carry.
  HFONT font = CreateFontW(cellHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_CHARACTER_PRECIS,
                           CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_DONTCARE, GothicFaceName());
  if (!font) return false;
  HGDIOBJ oldFont = SelectObject(scratch.dc, font);

  SIZE extent{};
  GetTextExtentPoint32W(scratch.dc, wide.c_str(), static_cast<int>(wide.size()), &extent);
  TEXTMETRICW metrics{};
  GetTextMetricsW(scratch.dc, &metrics);
  // Room for glyphs that overhang their advance (the last one especially).
  const int width = static_cast<int>(extent.cx + metrics.tmOverhang + std::max<LONG>(1, metrics.tmAveCharWidth / 2));
  const int height = static_cast<int>(std::max<LONG>(extent.cy, metrics.tmHeight));

  bool drawn = false;
  if (extent.cx > 0 && height > 0) {
    BITMAPINFO info = TopDownDib32(width, height);
    void* bits = nullptr;
    HBITMAP surface = CreateDIBSection(scratch.dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (surface && bits) {
      HGDIOBJ oldBitmap = SelectObject(scratch.dc, surface);
      PatBlt(scratch.dc, 0, 0, width, height, BLACKNESS);
      SetBkMode(scratch.dc, TRANSPARENT);
      SetTextColor(scratch.dc, RGB(255, 255, 255));
      SetTextAlign(scratch.dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
      TextOutW(scratch.dc, 0, 0, wide.c_str(), static_cast<int>(wide.size()));
      GdiFlush();

      out.width = width;
      out.height = height;
      out.alpha.resize(static_cast<std::size_t>(width) * height);
      const auto* pixels = static_cast<const std::uint32_t*>(bits);
      for (std::size_t i = 0; i < out.alpha.size(); ++i) {
        const std::uint32_t p = pixels[i];
        out.alpha[i] = static_cast<std::uint8_t>(std::max({(p >> 16) & 0xFFu, (p >> 8) & 0xFFu, p & 0xFFu}));
      }
      drawn = std::any_of(out.alpha.begin(), out.alpha.end(), [](std::uint8_t a) { return a != 0; });
      SelectObject(scratch.dc, oldBitmap);
    }
    if (surface) DeleteObject(surface);
  }

  SelectObject(scratch.dc, oldFont);
  DeleteObject(font);
  if (!drawn) out = TextCoverage{};
  return drawn;
}
