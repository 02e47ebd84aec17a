#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/session/game_host.h"

// The game session's host in one Win32 window: its timer requests become
// window timers, its repaint requests invalidate the client area, and the
// pixels are copied to the paint context of the WM_PAINT being handled.
class HwndWindowHost final : public GameHost {
 public:
  void Bind(HWND window) { window_ = window; }

  // How the canvas is shown: each of its pixels as a `scale` by `scale`
  // block, its top-left corner at the client area's; or, on a full
  // screen, only the game area, at `screen`, with black around it.
  void ShowWindowed(int scale);
  void ShowOnScreen(int scale, RECT screen);
  HWND Window() const { return window_; }
  // A word over the game area, dimmed beneath it ("Paused"); empty: none.
  void SetBanner(std::wstring banner);

  void StartTimer(int id, int periodMs) override;
  void RequestRepaint() override;

  // Handles WM_PAINT: begins painting, copies `picture` into the paint
  // context, ends painting. The update region is validated even when there
  // is no picture yet.
  void Paint(const PixelView& picture);

 private:
  void ShowPixels(const std::uint32_t* pixels, int width, int height);
  void DrawBanner(HDC dc, int left, int top);

  HWND window_ = nullptr;
  HDC paintDc_ = nullptr;
  int scale_ = 1;
  bool onScreen_ = false;
  RECT screen_{};
  std::wstring banner_;
  std::vector<std::uint32_t> dimmed_;
};
