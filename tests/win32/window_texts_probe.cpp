// Run beside the game under Wine (or Windows): reads the game window's
// title and, while the About box or a notice box (captioned with the
// window's title) is open, the texts of the box's controls, through the
// wide entry points, and prints them as UTF-8, one a line:
//   title <text>
//   about <text>    (one line per control with text)
//   notice <text>   (likewise)
// Exit status 1 when there is no game window.
#include <windows.h>

#include <cstdio>
#include <string>

#include "app/win32/utf16_text.h"

namespace {

std::wstring TextOf(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

BOOL CALLBACK PrintControl(HWND control, LPARAM label) {
  // An icon control's "text" is its resource number.
  if ((GetWindowLongW(control, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) return TRUE;
  const std::wstring text = TextOf(control);
  if (!text.empty()) std::printf("%s %s\n", reinterpret_cast<const char*>(label), Utf8FromWide(text).c_str());
  return TRUE;
}

}  // namespace

int main() {
  HWND game = FindWindowW(L"MY", nullptr);  // the game's window class
  if (!game) return 1;
  const std::wstring title = TextOf(game);
  std::printf("title %s\n", Utf8FromWide(title).c_str());
  for (HWND box = FindWindowW(L"#32770", nullptr); box; box = FindWindowExW(nullptr, box, L"#32770", nullptr))
    if (GetWindow(box, GW_OWNER) == game)
      EnumChildWindows(box, PrintControl, reinterpret_cast<LPARAM>(TextOf(box) == title ? "notice" : "about"));
  return 0;
}
