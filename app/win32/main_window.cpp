#include "app/win32/main_window.h"

#include "app/win32/about_box.h"
#include "app/win32/window_host_hwnd.h"
#include "game/tick.h"
#include "res/resource_ids.h"

static_assert(kCmdAbout == IDM_ABOUT && kCmdExit == IDM_EXIT, "menu commands must match the resources");

HINSTANCE appInstance = nullptr;
wchar_t windowTitle[kResourceTextCapacity];
wchar_t windowClassName[kResourceTextCapacity];

namespace {

constexpr int kWindowWidth = 400;
constexpr int kWindowHeight = 450;

HwndWindowHost mainHost;

WindowSession plainSession;
WindowSession* session = &plainSession;

}  // namespace

void UseWindowSession(WindowSession* windowSession) { session = windowSession ? windowSession : &plainSession; }

// The window, its class and its title are Unicode: the title holds
// full-width tildes, which an ANSI window can only keep when the system
// code page happens to be 932.
void LoadWindowTexts(HINSTANCE instance) {
  LoadStringW(instance, IDS_APP_TITLE, windowTitle, kResourceTextCapacity);
  LoadStringW(instance, IDS_WINDOW_CLASS, windowClassName, kResourceTextCapacity);
}

void RegisterMainClass(HINSTANCE instance) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(WNDCLASSEXW);
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = MainWindowProc;
  windowClass.cbClsExtra = 0;
  windowClass.cbWndExtra = 0;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_APP_ICON));
  windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
  windowClass.lpszMenuName = MAKEINTRESOURCEW(IDC_MAIN_MENU);
  windowClass.lpszClassName = windowClassName;
  windowClass.hIconSm = LoadIconW(instance, MAKEINTRESOURCEW(IDI_SMALL_ICON));
  RegisterClassExW(&windowClass);
}

int CreateMainWindow(HINSTANCE instance, int showCommand) {
  appInstance = instance;
  // The position is the system's choice across, but the top edge is fixed.
  HWND window = CreateWindowExW(0, windowClassName, windowTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, 0,
                                kWindowWidth, kWindowHeight, nullptr, nullptr, instance, nullptr);
  if (!window) return 0;
  ShowWindow(window, showCommand);
  UpdateWindow(window);
  return 1;
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      mainHost.Bind(window);
      session->Reset(&mainHost);
      return 0;
    case WM_TIMER:
      session->Tick(&mainHost);
      return 0;
    case WM_PAINT:
      mainHost.Paint(mainCanvas);
      return 0;
    case WM_KEYDOWN:
      session->PlayerKeyDown(static_cast<int>(wParam));
      return 0;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case kCmdAbout:
          ShowAboutBox(appInstance, window);
          return 0;
        case kCmdExit:
          DestroyWindow(window);
          return 0;
        default:
          return DefWindowProcW(window, message, wParam, lParam);
      }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}
