#pragma once
#include <windows.h>

#include "canvas/canvas.h"

// The About box's own drawing band, attached anew each time the box opens.
extern Canvas aboutCanvas;

// Dialog procedure of dialog resource 103.
INT_PTR CALLBACK AboutBoxProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Runs the About box modally, owned by `owner`, grown with the game's
// scale; returns when it is closed.
void ShowAboutBox(HINSTANCE instance, HWND owner, int scale);
