#pragma once
#include <windows.h>

#include "app/session/game_session.h"
#include "shell_facts.h"

// Command numbers of the menu and the accelerators.
inline constexpr int kCmdAbout = shell_fact::kCommandAbout;
inline constexpr int kCmdExit = shell_fact::kCommandExit;
inline constexpr int kCmdSmooth = shell_fact::kCommandSmooth;

// Buffer size, in characters, of the title and the class name.
inline constexpr int kResourceTextCapacity = 100;

extern HINSTANCE appInstance;
extern wchar_t windowTitle[kResourceTextCapacity];
extern wchar_t windowClassName[kResourceTextCapacity];

// Loads the title (string 103) and the class name (string 109).
void LoadWindowTexts(HINSTANCE instance);

void RegisterMainClass(HINSTANCE instance);

// The session the main window plays through (not owned); set before the
// window is created. Without one the window keeps a session of its own
// that records nothing.
void UseGameSession(GameSession* session);

// The scale of the game's pixels (0: as the screen suits) and whether the
// window starts on the full screen; set before the window is created.
void UseWindowScale(int scale, bool fullscreen);

// Returns 1 once the window exists and has been shown, 0 when it could not
// be created.
int CreateMainWindow(HINSTANCE instance, int showCommand);

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
