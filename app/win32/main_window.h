#pragma once
#include <windows.h>

#include "app/session/game_session.h"
#include "app/win32/wave_sound_output.h"

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

// Where the window's sounds are heard, at the gain of the sound settings.
void UseSoundOutput(WaveSoundOutput* output);

// The scale of the game's pixels (0: as the screen suits) and whether the
// window starts on the full screen; set before the window is created.
void UseWindowScale(int scale, bool fullscreen);

// Reads the player's settings, then makes the window. Returns 1 once the
// window exists and has been shown, 0 when it could not be created.
int CreateMainWindow(HINSTANCE instance, int showCommand);

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
