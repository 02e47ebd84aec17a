#pragma once
#include <windows.h>

// Dialog procedure of dialog resource 103.
INT_PTR CALLBACK AboutBoxProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Runs the About box modally, owned by `owner`, grown with the game's
// scale; returns when it is closed.
void ShowAboutBox(HINSTANCE instance, HWND owner, int scale);
