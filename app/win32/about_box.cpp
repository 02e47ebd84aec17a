#include "app/win32/about_box.h"

#include <optional>

#include "app/session/about_band.h"
#include "app/win32/window_host_hwnd.h"
#include "platform/windows/gothic_face.h"
#include "res/resource_ids.h"

namespace {

// The band's picture, made anew each time the box opens.
std::optional<AboutBandPicture> aboutBand;

// Only one About box can be open at a time (it is modal), so one host does.
HwndWindowHost aboutHost;
HFONT boxFont = nullptr;  // the box's font, while it is open

struct ScaleChildren {
  int scale;
  HWND dialog;
  HFONT font;
};

BOOL CALLBACK ScaleChild(HWND child, LPARAM lParam) {
  const auto& how = *reinterpret_cast<const ScaleChildren*>(lParam);
  RECT r{};
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, how.dialog, reinterpret_cast<POINT*>(&r), 2);
  MoveWindow(child, r.left * how.scale, r.top * how.scale, (r.right - r.left) * how.scale,
             (r.bottom - r.top) * how.scale, FALSE);
  if (how.font) SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(how.font), FALSE);
  return TRUE;
}

// The template's font `scale` times larger, in the face the game draws its
// own text in: the text is the title, whose full-width tildes the system's
// dialog face lacks where the system is not Japanese (under Wine they
// showed as empty boxes).
HFONT BoxFont(HWND dialog, int scale) {
  LOGFONTW font{};
  const auto current = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
  if (!current || !GetObjectW(current, sizeof font, &font)) return nullptr;
  font.lfHeight *= scale;
  font.lfWidth *= scale;
  if (const wchar_t* face = GothicFaceName()) {
    lstrcpynW(font.lfFaceName, face, LF_FACESIZE);
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfWeight = FW_NORMAL;
  }
  return CreateFontIndirectW(&font);
}

// The template's layout, font and icon, `scale` times larger; the box stays
// where the template puts it. At scale 1 only the font changes.
void ScaleBox(HWND dialog, int scale) {
  boxFont = BoxFont(dialog, scale);
  ScaleChildren how{scale, dialog, boxFont};
  EnumChildWindows(dialog, ScaleChild, reinterpret_cast<LPARAM>(&how));
  if (scale == 1) return;
  const int iconPixels = GetSystemMetrics(SM_CXICON) * scale;
  if (HANDLE icon =
          LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_APP_ICON), IMAGE_ICON, iconPixels, iconPixels, 0))
    SendDlgItemMessageW(dialog, IDC_ABOUT_ICON, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
  RECT client{};
  GetClientRect(dialog, &client);
  RECT outer{0, 0, client.right * scale, client.bottom * scale};
  AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongW(dialog, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongW(dialog, GWL_EXSTYLE)));
  SetWindowPos(dialog, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

INT_PTR CALLBACK AboutBoxProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      const int scale = lParam > 1 ? static_cast<int>(lParam) : 1;
      ScaleBox(dialog, scale);
      aboutHost.Bind(dialog);
      aboutHost.ShowWindowed(scale);
      aboutBand.emplace();
      aboutHost.StartTimer(kAboutBandTimerId, kAboutBandPeriodMs);
      return TRUE;
    }
    case WM_DESTROY:
      if (boxFont) DeleteObject(boxFont);
      boxFont = nullptr;
      return FALSE;
    case WM_TIMER:
      if (aboutBand) aboutBand->TimerExpired();
      aboutHost.RequestRepaint();
      return FALSE;
    case WM_PAINT:
      aboutHost.Paint(aboutBand ? aboutBand->Pixels() : PixelView{});
      return FALSE;
    case WM_COMMAND: {
      const WORD command = LOWORD(wParam);
      if (command == IDOK || command == IDCANCEL) {
        EndDialog(dialog, command);
        return TRUE;
      }
      return FALSE;
    }
    default:
      return FALSE;
  }
}

void ShowAboutBox(HINSTANCE instance, HWND owner, int scale) {
  // The wide entry point keeps the Japanese caption and text of the
  // template intact whatever the system's ANSI code page is; the procedure
  // handles no text, so nothing else changes.
  DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_ABOUTBOX), owner, AboutBoxProc, scale);
}
