#include "app/win32/about_box.h"

#include "app/about_band.h"
#include "app/win32/window_host_hwnd.h"
#include "res/resource_ids.h"

Canvas aboutCanvas;

namespace {

// Only one About box can be open at a time (it is modal), so one host does.
HwndWindowHost aboutHost;

}  // namespace

INT_PTR CALLBACK AboutBoxProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      aboutHost.Bind(dialog);
      aboutCanvas.Attach(&aboutHost, kAboutBandWidth, kAboutBandHeight);
      aboutHost.StartTimer(kAboutBandTimerId, kAboutBandPeriodMs);
      return TRUE;
    case WM_TIMER:
      aboutCanvas.ClearBlack();
      aboutCanvas.Invalidate(&aboutHost);
      return FALSE;
    case WM_PAINT:
      aboutHost.Paint(aboutCanvas);
      return FALSE;
    case WM_COMMAND: {
      const WORD command = LOWORD(wParam);
      if (command == IDOK || command == IDCANCEL) {
        EndDialog(dialog, command);
        return TRUE;
      }
      return FALSE;
    }
    default:
      return FALSE;
  }
}

void ShowAboutBox(HINSTANCE instance, HWND owner) {
  // The wide entry point keeps the Japanese caption and text of the
  // template intact whatever the system's ANSI code page is; the procedure
  // handles no text, so nothing else changes.
  DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_ABOUTBOX), owner, AboutBoxProc, 0);
}
