#include "app/win32/statistics_window.h"

#include "app/win32/utf16_text.h"
#include "platform/windows/top_down_dib.h"

namespace {

constexpr UINT_PTR kRefreshTimer = 1;
constexpr UINT kRefreshMs = 1000;
const wchar_t kClassName[] = L"MarobelStatistics";

HWND statisticsWindow = nullptr;
GameSession* shownSession = nullptr;
Language shownLanguage = Language::Japanese;

std::wstring Caption() { return WideFromUtf8(Say(shell_fact::kStatisticsCaptionWords, shownLanguage)); }

void Paint(HWND window) {
  PAINTSTRUCT paint{};
  HDC dc = BeginPaint(window, &paint);
  if (shownSession) {
    const PixelView picture = shownSession->StatisticsPicture(shownLanguage);
    if (picture.pixels && picture.width > 0 && picture.height > 0) {
      const BITMAPINFO info = TopDownDib32(picture.width, picture.height);
      SetDIBitsToDevice(dc, 0, 0, static_cast<DWORD>(picture.width), static_cast<DWORD>(picture.height), 0, 0, 0,
                        static_cast<UINT>(picture.height), picture.pixels, &info, DIB_RGB_COLORS);
    }
  }
  EndPaint(window, &paint);
}

LRESULT CALLBACK StatisticsProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER:
      InvalidateRect(window, nullptr, FALSE);
      return 0;
    case WM_PAINT:
      Paint(window);
      return 0;
    case WM_DESTROY:
      KillTimer(window, kRefreshTimer);
      statisticsWindow = nullptr;
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

void ShowStatisticsWindow(HWND owner, GameSession& session, Language language) {
  shownSession = &session;
  shownLanguage = language;
  if (statisticsWindow) {
    SetForegroundWindow(statisticsWindow);
    return;
  }
  static const bool registered = [] {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = StatisticsProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = kClassName;
    return RegisterClassExW(&windowClass) != 0;
  }();
  if (!registered) return;
  // Sized to the picture as it is now; it keeps its size.
  const PixelView picture = session.StatisticsPicture(language);
  constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  RECT outer{0, 0, picture.width, picture.height};
  AdjustWindowRectEx(&outer, kStyle, FALSE, 0);
  statisticsWindow =
      CreateWindowExW(0, kClassName, Caption().c_str(), kStyle, CW_USEDEFAULT, CW_USEDEFAULT, outer.right - outer.left,
                      outer.bottom - outer.top, owner, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!statisticsWindow) return;
  SetTimer(statisticsWindow, kRefreshTimer, kRefreshMs, nullptr);
  ShowWindow(statisticsWindow, SW_SHOWNORMAL);
}

void SetStatisticsLanguage(Language language) {
  shownLanguage = language;
  if (statisticsWindow) {
    SetWindowTextW(statisticsWindow, Caption().c_str());
    InvalidateRect(statisticsWindow, nullptr, FALSE);
  }
}
