#pragma once
#include <windows.h>
#include <xinput.h>

#include <functional>

#include "app/session/pad_buttons.h"

// The pads XInput knows, up to four, polled on a window timer: XInput has
// no events. Its library is loaded at run time, so that a system without
// it plays on with the keyboard alone.
class XInputPad {
 public:
  // The window timer's id, apart from the session's tick timer (1) and the
  // picture clock's.
  static constexpr UINT_PTR kTimerId = 0x5041;

  ~XInputPad();
  // Starts polling on `window`'s timer; does nothing without XInput.
  void Bind(HWND window);
  // At each expiry of its timer: `pressed` for every button gone down
  // since the last poll (one call per press, however long it is held).
  void Poll(const std::function<void(PadButton)>& pressed);

 private:
  using GetState = DWORD(WINAPI*)(DWORD, XINPUT_STATE*);
  HMODULE library_ = nullptr;
  GetState getState_ = nullptr;
  HWND window_ = nullptr;
  bool connected_[XUSER_MAX_COUNT] = {};
  WORD held_[XUSER_MAX_COUNT] = {};
  int polls_ = 0;
};
