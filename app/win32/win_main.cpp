#include <windows.h>

#include <string>

#include "app/session/shell_startup.h"
#include "app/win32/command_line.h"
#include "app/win32/main_window.h"
#include "app/win32/shell_text.h"
#include "app/win32/wave_sound_output.h"
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

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  // The game scales its pixels by whole numbers itself; a system that
  // stretched the window for a large display would blur them.
  SetProcessDPIAware();
  LoadWindowTexts(instance);  // the title also captions any message box

  ShellHooks hooks;
  hooks.tell = [](const std::string& text, bool error) { ShowShellText(text, error, windowTitle); };
  // Not boxed before the window: the window shows it once it is up.
  hooks.logNotice = [](const std::string& line) { LogShellText(line, true); };
  hooks.runWindow = [instance](GameSession& session, const ShellOptionsResult& parsed) {
    const ShellOptions& options = parsed.options;
    session.SetSoundPlayer(&waveSound);
    UseSoundOutput(&waveSound);
    UseGameSession(&session);
    UseWindowScale(options.scale, options.fullscreen);
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
    return static_cast<int>(message.wParam);
  };
  return RunShell(CommandLineArguments(), hooks);
}
