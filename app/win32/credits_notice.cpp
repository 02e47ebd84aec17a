#include "app/win32/credits_notice.h"

#include "app/session/shell_commands.h"
#include "app/win32/utf16_text.h"

namespace {

const wchar_t kPanelClass[] = L"MarobelNotice";
constexpr int kMargin = 6, kLine = 18, kButtonWidth = 120, kButtonHeight = 24;

// The panel hands its buttons' clicks to the game window, and gives the
// keyboard back to it, where the game's keys are read.
LRESULT CALLBACK PanelProc(HWND panel, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
    HWND game = GetParent(panel);
    SetFocus(game);
    PostMessageW(game, WM_COMMAND, MAKEWPARAM(LOWORD(wParam), 0), 0);
    return 0;
  }
  return DefWindowProcW(panel, message, wParam, lParam);
}

HWND Child(HWND parent, const wchar_t* windowClass, DWORD style, int id) {
  HWND child = CreateWindowExW(0, windowClass, L"", WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  return child;
}

}  // namespace

void CreditsNotice::Create(HWND parent) {
  static const bool registered = [] {
    WNDCLASSEXW panelClass{};
    panelClass.cbSize = sizeof panelClass;
    panelClass.lpfnWndProc = PanelProc;
    panelClass.hInstance = GetModuleHandleW(nullptr);
    panelClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    panelClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    panelClass.lpszClassName = kPanelClass;
    return RegisterClassExW(&panelClass) != 0;
  }();
  if (!registered) return;
  parent_ = parent;
  panel_ = CreateWindowExW(0, kPanelClass, L"", WS_CHILD | WS_CLIPCHILDREN, 0, 0, 0, 0, parent, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
  text_ = Child(panel_, L"STATIC", SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS, 0);
  newGame_ = Child(panel_, L"BUTTON", BS_PUSHBUTTON, shell_command::kNewGame);
  freePlay_ = Child(panel_, L"BUTTON", BS_PUSHBUTTON, shell_command::kFreePlay);
}

void CreditsNotice::Show(bool shown) {
  shown_ = shown;
  if (!panel_) return;
  Place();
  ShowWindow(panel_, shown ? SW_SHOWNA : SW_HIDE);
}

void CreditsNotice::SetLanguage(Language language) {
  using namespace shell_fact;
  if (!panel_) return;
  SetWindowTextW(text_, WideFromUtf8(Say(kOutOfCreditsNoticeWords, language)).c_str());
  SetWindowTextW(newGame_, WideFromUtf8(Say(kNewGameItemWords, language)).c_str());
  SetWindowTextW(freePlay_, WideFromUtf8(Say(kFreePlayItemWords, language)).c_str());
}

void CreditsNotice::Place() {
  if (!panel_) return;
  RECT client{};
  GetClientRect(parent_, &client);
  const int width = client.right - client.left;
  MoveWindow(panel_, 0, client.bottom - kHeight, width, kHeight, TRUE);
  MoveWindow(text_, kMargin, kMargin / 2, width - 2 * kMargin, kLine, TRUE);
  const int top = kMargin / 2 + kLine + 2;
  MoveWindow(newGame_, kMargin, top, kButtonWidth, kButtonHeight, TRUE);
  MoveWindow(freePlay_, 2 * kMargin + kButtonWidth, top, kButtonWidth, kButtonHeight, TRUE);
}
