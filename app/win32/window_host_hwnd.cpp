#include "app/win32/window_host_hwnd.h"

#include "app/session/window_view.h"
#include "platform/windows/top_down_dib.h"

void HwndWindowHost::ShowWindowed(int scale) {
  scale_ = scale;
  onScreen_ = false;
  RequestRepaint();
}

void HwndWindowHost::ShowOnScreen(int scale, RECT screen) {
  scale_ = scale;
  onScreen_ = true;
  screen_ = screen;
  RequestRepaint();
}

void HwndWindowHost::SetBanner(std::wstring banner) {
  if (banner == banner_) return;
  banner_ = std::move(banner);
  RequestRepaint();
}

void HwndWindowHost::DrawBanner(HDC dc, int left, int top) {
  RECT area{left, top, left + kClientAreaWidth * scale_, top + kClientAreaHeight * scale_};
  LOGFONTW face{};
  face.lfHeight = -24 * scale_;
  face.lfWeight = FW_BOLD;
  face.lfCharSet = DEFAULT_CHARSET;
  face.lfQuality = NONANTIALIASED_QUALITY;
  lstrcpyW(face.lfFaceName, L"MS Shell Dlg");
  HFONT font = CreateFontIndirectW(&face);
  const HGDIOBJ before = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(255, 255, 255));
  DrawTextW(dc, banner_.c_str(), static_cast<int>(banner_.size()), &area,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, before);
  DeleteObject(font);
}

void HwndWindowHost::StartTimer(int id, int periodMs) {
  SetTimer(window_, static_cast<UINT_PTR>(id), static_cast<UINT>(periodMs), nullptr);
}

void HwndWindowHost::RequestRepaint() { InvalidateRect(window_, nullptr, FALSE); }

void HwndWindowHost::ShowPixels(const std::uint32_t* pixels, int width, int height) {
  if (!pixels || width <= 0 || height <= 0) return;
  // Outside a paint (nothing in the core does that today) the pixels still
  // go to the window rather than nowhere.
  const bool ownDc = paintDc_ == nullptr;
  HDC dc = ownDc ? GetDC(window_) : paintDc_;

  const int saved = SaveDC(dc);
  int left = 0, top = 0;
  if (onScreen_) {
    RECT client{};
    GetClientRect(window_, &client);
    ExcludeClipRect(dc, screen_.left, screen_.top, screen_.right, screen_.bottom);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    RestoreDC(dc, saved);
    SaveDC(dc);
    IntersectClipRect(dc, screen_.left, screen_.top, screen_.right, screen_.bottom);
    left = screen_.left;
    top = screen_.top;
  }
  // Under a banner the picture is shown at half its brightness.
  if (!banner_.empty()) {
    dimmed_.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (std::size_t i = 0; i < dimmed_.size(); ++i) dimmed_[i] = (pixels[i] >> 1) & 0x7F7F7Fu;
    pixels = dimmed_.data();
  }
  // Whole blocks, no blending: the one stretch mode that copies pixels.
  SetStretchBltMode(dc, COLORONCOLOR);
  // 0x00RRGGBB words are exactly a 32-bit BI_RGB bitmap.
  const BITMAPINFO info = TopDownDib32(width, height);
  StretchDIBits(dc, left, top, width * scale_, height * scale_, 0, 0, width, height, pixels, &info, DIB_RGB_COLORS,
                SRCCOPY);
  if (!banner_.empty()) DrawBanner(dc, left, top);
  RestoreDC(dc, -1);

  if (ownDc) ReleaseDC(window_, dc);
}

void HwndWindowHost::Paint(const PixelView& picture) {
  PAINTSTRUCT paint{};
  paintDc_ = BeginPaint(window_, &paint);
  ShowPixels(picture.pixels, picture.width, picture.height);
  paintDc_ = nullptr;
  EndPaint(window_, &paint);
}
