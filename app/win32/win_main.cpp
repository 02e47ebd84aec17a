#include <windows.h>

#include <string>

#include "app/session/shell_options.h"
#include "app/session/game_session.h"
#include "app/win32/command_line.h"
#include "app/win32/main_window.h"
#include "app/win32/shell_text.h"
#include "app/win32/wave_sound_output.h"
#include "marobel_version.h"
#include "render/sound_cue.h"
#include "res/resource_ids.h"

namespace {

// The show command the process was started with. The C runtime passes the
// same value to WinMain, but reading it here keeps the rule independent of
// whichever runtime start-up code calls us.
int StartupShowCommand() {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  GetStartupInfoA(&startup);
  return (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : SW_SHOWDEFAULT;
}

WaveSoundOutput waveSound;
GameSession session;

void ShowError(const std::string& message) { ShowShellText("marobel: " + message + "\n", true, windowTitle); }

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  // The game scales its pixels by whole numbers itself; a system that
  // stretched the window for a large display would blur them.
  SetProcessDPIAware();
  LoadWindowTexts(instance);  // the title also captions any message box

  const ShellOptionsResult parsed = ParseShellOptions(CommandLineArguments());
  if (parsed.options.helpRequested) {
    ShowShellText(ShellUsage(), false, windowTitle);
    return 0;
  }
  if (!parsed.ok) {
    ShowShellText(ShellUsageError(parsed.error), true, windowTitle);
    return 2;
  }
  if (parsed.options.versionRequested) {
    ShowShellText("marobel " MAROBEL_VERSION "\n", false, windowTitle);
    return 0;
  }
  std::string error;
  if (!session.Open(parsed.options, error)) {
    ShowError(error);
    return 2;
  }
  if (!session.Notice().empty()) ShowError(session.Notice());
  session.RouteSounds(&waveSound);
  UseGameSession(&session);
  UseWindowScale(parsed.options.scale, parsed.options.fullscreen);

  RegisterMainClass(instance);
  if (!CreateMainWindow(instance, StartupShowCommand())) return 0;

  HACCEL accelerators = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDC_ACCELERATORS));
  MSG message{};
  // GetMessage yields -1 on failure; treating that as a message would spin
  // forever on a dead queue, so only a real message keeps the loop going.
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (TranslateAcceleratorA(message.hwnd, accelerators, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  int status = static_cast<int>(message.wParam);
  if (parsed.options.summaryRequested) ShowShellText(session.SummaryText(), true, windowTitle);
  if (!session.Close(error)) {
    ShowError(error);
    if (status == 0) status = 1;
  }
  return status;
}
