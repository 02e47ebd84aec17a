#include "app/win32/main_window.h"

#include "app/session/window_scale.h"
#include "app/win32/about_box.h"
#include "app/win32/picture_clock.h"
#include "app/win32/window_host_hwnd.h"
#include "app/win32/xinput_pad.h"
#include "res/resource_ids.h"

static_assert(kCmdAbout == IDM_ABOUT && kCmdExit == IDM_EXIT && kCmdSmooth == IDM_SMOOTH,
              "menu commands must match the resources");

HINSTANCE appInstance = nullptr;
wchar_t windowTitle[kResourceTextCapacity];
wchar_t windowClassName[kResourceTextCapacity];

namespace {

HwndWindowHost mainHost;
PictureClock pictureClock;
XInputPad pad;

int askedScale = 0;  // 0: the screen decides
int windowScale = 1;
bool startFullscreen = false;

// The window as it was before it took the full screen, to go back to.
struct Windowed {
  bool active = false;
  LONG style = 0;
  WINDOWPLACEMENT placement{};
} windowed;
HMENU menuBar = nullptr;

bool Fullscreen() { return windowed.active; }

void PlaceGameOnScreen(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  const ScreenPlacement p = FitFullscreen({client.right - client.left, client.bottom - client.top});
  mainHost.ShowOnScreen(p.scale, RECT{p.left, p.top, p.left + p.width, p.top + p.height});
}

void ToggleFullscreen(HWND window) {
  if (!Fullscreen()) {
    windowed.style = GetWindowLongW(window, GWL_STYLE);
    windowed.placement.length = sizeof(WINDOWPLACEMENT);
    GetWindowPlacement(window, &windowed.placement);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(MONITORINFO);
    if (!GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor)) return;
    windowed.active = true;
    SetMenu(window, nullptr);
    SetWindowLongW(window, GWL_STYLE, (windowed.style & ~WS_OVERLAPPEDWINDOW) | WS_POPUP);
    const RECT& r = monitor.rcMonitor;
    SetWindowPos(window, HWND_TOP, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_FRAMECHANGED | SWP_NOOWNERZORDER);
    PlaceGameOnScreen(window);
  } else {
    windowed.active = false;
    SetWindowLongW(window, GWL_STYLE, windowed.style);
    SetMenu(window, menuBar);
    SetWindowPlacement(window, &windowed.placement);
    SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_FRAMECHANGED);
    mainHost.ShowWindowed(windowScale);
  }
}

// The frame, caption and menu bar around a client area, as this system
// draws them.
PixelSize Decoration() {
  RECT r{0, 0, 0, 0};
  AdjustWindowRectEx(&r, WS_OVERLAPPEDWINDOW, TRUE, 0);
  return {r.right - r.left, r.bottom - r.top};
}

int ScaleForScreen() {
  if (askedScale) return askedScale;
  HDC screen = GetDC(nullptr);
  const double ratio = screen ? GetDeviceCaps(screen, LOGPIXELSY) / 96.0 : 1.0;
  if (screen) ReleaseDC(nullptr, screen);
  return DefaultWindowScale(GetSystemMetrics(SM_CYSCREEN), ratio);
}

GameSession plainSession;
GameSession* session = &plainSession;

// The menu's check mark and the picture clock follow the session's smooth
// motion, which the options set before the window was made.
void ShowSmoothMotion() {
  CheckMenuItem(menuBar, kCmdSmooth, MF_BYCOMMAND | (session->SmoothMotion() ? MF_CHECKED : MF_UNCHECKED));
  pictureClock.Run(session->SmoothMotion());
}

// The paint of a tick shows its frame; those between ticks are as far on
// the way to the next as the time since the tick says.
PixelView PictureNow() { return session->PictureToShow(pictureClock.MsSinceTick() / session->TickPeriodMs()); }

// A pad's press is the arrow key or the command it stands for, and like a
// key reaches only the window the player is at.
void PlayPadPress(HWND window, PadButton button) {
  if (GetForegroundWindow() != window) return;
  const PadPress press = PadPressOf(button);
  if (press.virtualKey)
    session->PlayerKeyDown(press.virtualKey);
  else
    SendMessageW(window, WM_COMMAND, press.command, 0);
}

}  // namespace

void UseWindowScale(int scale, bool fullscreen) {
  askedScale = scale;
  startFullscreen = fullscreen;
}

void UseGameSession(GameSession* windowSession) { session = windowSession ? windowSession : &plainSession; }

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
  windowScale = ScaleForScreen();
  // At scale 1 the outer size is 400 by 450 whatever the frame; at a larger
  // scale the client area grows with it and the frame stays the system's.
  const PixelSize outer =
      windowScale == 1 ? PixelSize{kWindowWidth, kWindowHeight} : ScaledWindowSize(Decoration(), windowScale);
  // The position is the system's choice across, but the top edge is fixed.
  HWND window = CreateWindowExW(0, windowClassName, windowTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, 0, outer.width,
                                outer.height, nullptr, nullptr, instance, nullptr);
  if (!window) return 0;
  menuBar = GetMenu(window);
  ShowSmoothMotion();
  mainHost.ShowWindowed(windowScale);
  ShowWindow(window, showCommand);
  if (startFullscreen) ToggleFullscreen(window);
  UpdateWindow(window);
  return 1;
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      mainHost.Bind(window);
      pictureClock.Bind(window);
      pad.Bind(window);
      session->Reset(&mainHost);
      return 0;
    case WM_TIMER:
      if (wParam == XInputPad::kTimerId) {
        pad.Poll([window](PadButton button) { PlayPadPress(window, button); });
        return 0;
      }
      if (wParam == PictureClock::kTimerId) {
        if (session->Smoothing()) mainHost.RequestRepaint();
        return 0;
      }
      pictureClock.TickStarted();
      session->Tick(&mainHost);
      return 0;
    case WM_PAINT:
      mainHost.Paint(PictureNow());
      return 0;
    case WM_SIZE:
      if (Fullscreen()) PlaceGameOnScreen(window);
      return 0;
    case WM_KEYDOWN:
      // The window's own key: the game never sees it, so nor does a record.
      if (wParam == VK_F11) {
        ToggleFullscreen(window);
        return 0;
      }
      session->PlayerKeyDown(static_cast<int>(wParam));
      return 0;
    case WM_SYSKEYDOWN:
      // Alt+Enter, not repeated. The system still sees the key: one pressed
      // between Alt's press and release keeps the release from opening the
      // menu.
      if (wParam == VK_RETURN && (lParam & (1 << 29)) && !(lParam & (1 << 30))) ToggleFullscreen(window);
      return DefWindowProcW(window, message, wParam, lParam);
    case WM_SYSCOMMAND:
      // On the full screen the menu bar comes back for Alt or F10 alone.
      if ((wParam & 0xFFF0) == SC_KEYMENU && Fullscreen() && !GetMenu(window)) SetMenu(window, menuBar);
      return DefWindowProcW(window, message, wParam, lParam);
    case WM_SYSCHAR:
      // The character of Alt+Enter names no menu: left alone it would beep.
      if (wParam == '\r') return 0;
      return DefWindowProcW(window, message, wParam, lParam);
    case WM_EXITMENULOOP:
      if (Fullscreen()) SetMenu(window, nullptr);
      return 0;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case kCmdAbout:
          ShowAboutBox(appInstance, window, windowScale);
          return 0;
        case kCmdExit:
          DestroyWindow(window);
          return 0;
        case kCmdSmooth:
          session->SetSmoothMotion(!session->SmoothMotion());
          ShowSmoothMotion();
          mainHost.RequestRepaint();
          return 0;
        case shell_command::kPause:
          session->SetPaused(GameSession::PauseReason::Player, !session->PausedBy(GameSession::PauseReason::Player));
          return 0;
        default:
          return DefWindowProcW(window, message, wParam, lParam);
      }
    case WM_DESTROY:
      pictureClock.Run(false);
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}
