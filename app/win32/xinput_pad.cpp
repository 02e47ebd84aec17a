#include "app/win32/xinput_pad.h"

namespace {

constexpr struct {
  WORD bit;
  PadButton button;
} kButtons[] = {{XINPUT_GAMEPAD_DPAD_LEFT, PadButton::DpadLeft},
                {XINPUT_GAMEPAD_DPAD_RIGHT, PadButton::DpadRight},
                {XINPUT_GAMEPAD_LEFT_SHOULDER, PadButton::LeftShoulder},
                {XINPUT_GAMEPAD_RIGHT_SHOULDER, PadButton::RightShoulder},
                {XINPUT_GAMEPAD_START, PadButton::Start}};

constexpr UINT kPollMs = 16;
// Asking after an empty slot is slow, so it is asked about once a second.
constexpr int kEmptySlotEvery = 60;

}  // namespace

XInputPad::~XInputPad() {
  if (window_) KillTimer(window_, kTimerId);
  if (library_) FreeLibrary(library_);
}

void XInputPad::Bind(HWND window) {
  for (const wchar_t* name : {L"xinput1_4.dll", L"xinput9_1_0.dll", L"xinput1_3.dll"})
    if ((library_ = LoadLibraryW(name))) break;
  if (!library_) return;
  getState_ = reinterpret_cast<GetState>(reinterpret_cast<void*>(GetProcAddress(library_, "XInputGetState")));
  if (!getState_) return;
  window_ = window;
  SetTimer(window_, kTimerId, kPollMs, nullptr);
}

void XInputPad::Poll(const std::function<void(PadButton)>& pressed) {
  if (!getState_) return;
  const bool askEmpty = polls_ == 0;
  polls_ = (polls_ + 1) % kEmptySlotEvery;
  for (DWORD slot = 0; slot < XUSER_MAX_COUNT; ++slot) {
    if (!connected_[slot] && !askEmpty) continue;
    XINPUT_STATE state{};
    connected_[slot] = getState_(slot, &state) == ERROR_SUCCESS;
    const WORD was = held_[slot];
    held_[slot] = connected_[slot] ? state.Gamepad.wButtons : 0;
    for (const auto& b : kButtons)
      if ((held_[slot] & b.bit) && !(was & b.bit)) pressed(b.button);
  }
}
