#include "app/win32/main_window.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>

#include "app/session/shell_commands.h"
#include "app/session/window_scale.h"
#include "app/session/window_view.h"
#include "app/win32/about_box.h"
#include "app/win32/credits_notice.h"
#include "app/win32/free_play_dialog.h"
#include "app/win32/menu_bar.h"
#include "app/win32/picture_clock.h"
#include "app/win32/statistics_window.h"
#include "app/win32/utf16_text.h"
#include "app/win32/window_host_hwnd.h"
#include "app/win32/xinput_pad.h"
#include "res/resource_ids.h"

namespace cmd = shell_command;

static_assert(cmd::kAbout == IDM_ABOUT && cmd::kExit == IDM_EXIT && cmd::kSmooth == IDM_SMOOTH &&
                  cmd::kNewGame == IDM_NEW_GAME && cmd::kStatistics == IDM_STATISTICS &&
                  cmd::Volume(1) == IDM_VOLUME_1 && cmd::Scale(4) == IDM_SCALE_4,
              "menu commands must match the resources");

HINSTANCE appInstance = nullptr;
wchar_t windowTitle[kResourceTextCapacity];
wchar_t windowClassName[kResourceTextCapacity];

namespace {

HwndWindowHost mainHost;
PictureClock pictureClock;
CreditsNotice creditsNotice;
WaveSoundOutput* soundOutput = nullptr;
XInputPad pad;

ShellSettings settings;
std::string settingsFolder;

int askedScale = 0;  // from the command line; 0: none asked for
int windowScale = 1;
// The scale the window keeps, 0 while the game fits the window: the
// settings' unless the command line asked for one.
int keptScale = 0;
bool startFullscreen = false;

// The window as it was before it took the full screen, to go back to.
struct Windowed {
  bool active = false;
  LONG style = 0;
  WINDOWPLACEMENT placement{};
} windowed;
HMENU menuBar = nullptr;

GameSession plainSession;
GameSession* session = &plainSession;

bool Fullscreen() { return windowed.active; }

// The menus, boxes and banner are drawn by the system in its own faces:
// where none of them draws Japanese, English is what reads.
Language ShownLanguage() {
  const Language asked = settings.language.value_or(SystemLanguage());
  return asked == Language::Japanese && !MenusDrawJapanese() ? Language::English : asked;
}

// Something the player may want to know that stops nothing: one line on
// the standard error stream, where a console or a log shows it.
void Report(const std::string& line) {
  std::fprintf(stderr, "marobel: %s\n", line.c_str());
  std::fflush(stderr);
}

// What became of the kept game (kept_game_shelf.h) is the player's to
// know, not a log's alone: a game started from the desktop has nowhere to
// write a line to. The box waits for the player; the game ticks on behind it.
void TellPlayer(HWND window, const std::string& text, UINT icon) {
  MessageBoxW(window, WideFromUtf8(text).c_str(), windowTitle, MB_OK | icon);
}

// The opened session's notice, shown once the window is up and painted.
constexpr UINT kTellNoticeMessage = WM_APP + 1;
std::string startNotice;

void SaveSettings() {
  static bool reported = false;
  if (!SaveShellSettings(settingsFolder, settings) && !settingsFolder.empty() && !reported) {
    reported = true;
    Report(settingsFolder + ": the settings cannot be saved there");
  }
}

ShellState StateNow() {
  ShellState state;
  state.settings = settings;
  state.settings.scale = keptScale;
  state.language = ShownLanguage();
  state.paused = session->PausedBy(GameSession::PauseReason::Player);
  state.fullScreen = Fullscreen();
  state.keptGameExists = session->PreviousGameKept();
  state.canStartGames = !session->ReplayRunning();
  return state;
}

void PlaceGameOnScreen(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  const ScreenPlacement p = FitFullscreen({client.right - client.left, client.bottom - client.top});
  mainHost.ShowOnScreen(p.scale, RECT{p.left, p.top, p.left + p.width, p.top + p.height});
}

// The largest whole scale at which the game area fits the client area
// above the notice, if it is shown.
int ScaleThatFits(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  const int height =
      static_cast<int>(client.bottom - client.top) - (creditsNotice.Shown() ? CreditsNotice::kHeight : 0);
  const int fits =
      std::min(static_cast<int>(client.right - client.left) / kClientAreaWidth, height / kClientAreaHeight);
  return std::clamp(fits, kMinWindowScale, kMaxWindowScale);
}

void ShowGame(HWND window) {
  if (Fullscreen()) {
    PlaceGameOnScreen(window);
  } else {
    if (keptScale == 0) windowScale = ScaleThatFits(window);
    mainHost.ShowWindowed(windowScale);
  }
  creditsNotice.Place();
}

// The frame, caption and menu bar around a client area, as this system
// draws them.
PixelSize Decoration() {
  RECT r{0, 0, 0, 0};
  AdjustWindowRectEx(&r, WS_OVERLAPPEDWINDOW, TRUE, 0);
  return {r.right - r.left, r.bottom - r.top};
}

// At scale 1 the outer size is 400 by 450 whatever the frame; at a larger
// scale the client area grows with it and the frame stays the system's.
PixelSize OuterSize(int scale) {
  PixelSize outer = scale == 1 ? PixelSize{kWindowWidth, kWindowHeight} : ScaledWindowSize(Decoration(), scale);
  if (creditsNotice.Shown()) outer.height += CreditsNotice::kHeight;
  return outer;
}

void ResizeWindow(HWND window) {
  if (Fullscreen() || IsZoomed(window) || IsIconic(window)) return;
  const PixelSize outer = OuterSize(windowScale);
  SetWindowPos(window, nullptr, 0, 0, outer.width, outer.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
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
    // A zoom or the notice may have changed while on the full screen.
    ResizeWindow(window);
    ShowGame(window);
  }
}

int ScaleForScreen() {
  if (askedScale) return askedScale;
  if (settings.scale) return settings.scale;
  HDC screen = GetDC(nullptr);
  const double ratio = screen ? GetDeviceCaps(screen, LOGPIXELSY) / 96.0 : 1.0;
  if (screen) ReleaseDC(nullptr, screen);
  return DefaultWindowScale(GetSystemMetrics(SM_CYSCREEN), ratio);
}

// The picture clock follows the session's smooth motion, which the options
// set before the window was made.
void ShowSmoothMotion() { pictureClock.Run(session->SmoothMotion()); }

// The banner over the game while it is paused.
void ShowPause() {
  mainHost.SetBanner(session->Paused() ? WideFromUtf8(Say(shell_fact::kPausedBannerWords, ShownLanguage()))
                                       : std::wstring());
}

// The out-of-credits notice comes and goes with the session's word; the
// window grows by its strip so that the game area stays as it was.
void FollowCredits(HWND window) {
  const bool out = session->OutOfCredits();
  if (out == creditsNotice.Shown()) return;
  creditsNotice.Show(out);
  ResizeWindow(window);
  ShowGame(window);
}

void ApplySound() {
  if (soundOutput) soundOutput->SetGain(settings.Gain());
}

void ApplyLanguage(HWND window) {
  const Language language = ShownLanguage();
  HMENU old = menuBar;
  menuBar = BuildMenuBar(language);
  if (GetMenu(window)) SetMenu(window, menuBar);
  if (old) DestroyMenu(old);
  DrawMenuBar(window);
  creditsNotice.SetLanguage(language);
  SetStatisticsLanguage(language);
  ShowPause();
}

// The game until now becomes the previous game; the new one starts at once.
void StartGame(HWND window, GameSession::GameStart start, std::optional<long long> credits) {
  std::string error;
  // A game that cannot be kept still starts, unkept; the player is told why.
  const bool kept = session->StartAnotherGame(start, credits, error);
  session->Reset(&mainHost);
  pictureClock.TickStarted();
  ShowPause();
  FollowCredits(window);
  mainHost.RequestRepaint();
  const std::string message = kept ? session->Notice() : error;
  if (message.empty()) return;
  Report(message);
  TellPlayer(window, message, MB_ICONWARNING);
}

void ShowKeys(HWND window) {
  const Language language = ShownLanguage();
  std::string text;
  for (const KeyHelp& key : KeysHelp(language)) text += key.keys + "\t" + key.does + "\n";
  text.pop_back();
  MessageBoxW(window, WideFromUtf8(text).c_str(), WideFromUtf8(Say(shell_fact::kKeysCaptionWords, language)).c_str(),
              MB_OK | MB_ICONINFORMATION);
}

// Every command of the menus, the notice's buttons and the shell's keys.
void RunCommand(HWND window, int command) {
  if (!MenuItemEnabled(command, StateNow())) return;
  if (const int step = cmd::VolumeStepOf(command)) {
    settings.volume = step;
    ApplySound();
    SaveSettings();
    return;
  }
  if (const int scale = cmd::ScaleOf(command)) {
    settings.scale = keptScale = windowScale = scale;
    SaveSettings();
    if (IsZoomed(window)) ShowWindow(window, SW_RESTORE);
    ResizeWindow(window);
    ShowGame(window);
    return;
  }
  switch (command) {
    case cmd::kNewGame: {
      const Language language = ShownLanguage();
      if (session->TicksRun() > 0 &&
          MessageBoxW(window, WideFromUtf8(Say(shell_fact::kNewGameQuestionWords, language)).c_str(), windowTitle,
                      MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
        return;
      StartGame(window, GameSession::GameStart::New, std::nullopt);
      return;
    }
    case cmd::kContinue:
      StartGame(window, GameSession::GameStart::Continue, std::nullopt);
      return;
    case cmd::kFreePlay:
      if (const std::optional<long long> credits = AskFreePlayCredits(window, ShownLanguage()))
        StartGame(window, GameSession::GameStart::New, credits);
      return;
    case cmd::kPause:
      session->SetPaused(GameSession::PauseReason::Player, !session->PausedBy(GameSession::PauseReason::Player));
      ShowPause();
      return;
    case cmd::kExit:
      DestroyWindow(window);
      return;
    case cmd::kSound:
      settings.sound = !settings.sound;
      ApplySound();
      SaveSettings();
      return;
    case cmd::kSmooth:
      settings.smooth = !session->SmoothMotion();
      session->SetSmoothMotion(settings.smooth);
      SaveSettings();
      ShowSmoothMotion();
      mainHost.RequestRepaint();
      return;
    case cmd::kFit:
      settings.scale = keptScale = 0;
      SaveSettings();
      ShowGame(window);
      return;
    case cmd::kFullScreen:
      ToggleFullscreen(window);
      return;
    case cmd::kBackgroundPause:
      settings.backgroundPause = !settings.backgroundPause;
      SaveSettings();
      session->SetPaused(GameSession::PauseReason::Background, settings.backgroundPause && IsIconic(window));
      return;
    case cmd::kJapanese:
    case cmd::kEnglish:
      settings.language = command == cmd::kJapanese ? Language::Japanese : Language::English;
      SaveSettings();
      ApplyLanguage(window);
      return;
    case cmd::kKeys:
      ShowKeys(window);
      return;
    case cmd::kStatistics:
      ShowStatisticsWindow(window, *session, ShownLanguage());
      return;
    case cmd::kAbout:
      ShowAboutBox(appInstance, window, windowScale);
      return;
    default:
      return;
  }
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

void UseSoundOutput(WaveSoundOutput* output) { soundOutput = output; }

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
  std::string problem;
  settingsFolder = SettingsFolder();
  settings = LoadShellSettings(settingsFolder, ShellSettings{}, problem);
  if (!problem.empty()) Report(problem);
  // --no-smooth holds for this session; the setting is the player's choice.
  session->SetSmoothMotion(session->SmoothMotion() && settings.smooth);
  ApplySound();
  keptScale = askedScale ? askedScale : settings.scale;
  windowScale = ScaleForScreen();
  const PixelSize outer = OuterSize(windowScale);
  // The position is the system's choice across, but the top edge is fixed.
  // The notice's strip is a child the game's picture must not cover.
  HWND window = CreateWindowExW(0, windowClassName, windowTitle, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT,
                                0, outer.width, outer.height, nullptr, nullptr, instance, nullptr);
  if (!window) return 0;
  // The resources hold the Japanese menus; any other language is made here.
  menuBar = GetMenu(window);
  if (ShownLanguage() != Language::Japanese) ApplyLanguage(window);
  creditsNotice.SetLanguage(ShownLanguage());
  ShowSmoothMotion();
  ShowGame(window);
  ShowWindow(window, showCommand);
  if (startFullscreen) ToggleFullscreen(window);
  UpdateWindow(window);
  startNotice = session->Notice();
  if (!startNotice.empty()) PostMessageW(window, kTellNoticeMessage, 0, 0);
  return 1;
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      mainHost.Bind(window);
      pictureClock.Bind(window);
      creditsNotice.Create(window);
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
      FollowCredits(window);
      return 0;
    case WM_PAINT:
      mainHost.Paint(PictureNow());
      return 0;
    case WM_SIZE:
      // Minimised, the game may wait for the player, as the settings say.
      session->SetPaused(GameSession::PauseReason::Background, wParam == SIZE_MINIMIZED && settings.backgroundPause);
      ShowPause();
      if (wParam != SIZE_MINIMIZED) ShowGame(window);
      return 0;
    case WM_INITMENUPOPUP:
      ShowMenuState(reinterpret_cast<HMENU>(wParam), StateNow());
      return 0;
    case WM_KEYDOWN: {
      // The window's own keys: the game never sees them, so nor does a
      // record. A key held down acts once.
      const int command = ShellCommandForKey(static_cast<int>(wParam), GetKeyState(VK_CONTROL) < 0, false);
      if (command) {
        if (!(lParam & (1 << 30))) RunCommand(window, command);
        return 0;
      }
      session->PlayerKeyDown(static_cast<int>(wParam));
      return 0;
    }
    case WM_SYSKEYDOWN: {
      // Alt+Enter, not repeated. The system still sees the key: one pressed
      // between Alt's press and release keeps the release from opening the
      // menu.
      const int command = (lParam & (1 << 29)) ? ShellCommandForKey(static_cast<int>(wParam), false, true) : 0;
      if (command && !(lParam & (1 << 30))) RunCommand(window, command);
      return DefWindowProcW(window, message, wParam, lParam);
    }
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
    case WM_COMMAND: {
      const int command = LOWORD(wParam);
      if (command < cmd::kAbout || command > cmd::kStatistics) return DefWindowProcW(window, message, wParam, lParam);
      RunCommand(window, command);
      return 0;
    }
    case kTellNoticeMessage:
      if (!startNotice.empty()) TellPlayer(window, std::exchange(startNotice, std::string()), MB_ICONINFORMATION);
      return 0;
    case WM_DESTROY:
      pictureClock.Run(false);
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}
