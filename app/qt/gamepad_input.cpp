#include "app/qt/gamepad_input.h"

#include <optional>

#ifdef MAROBEL_SDL_GAMEPAD
#include <SDL.h>

namespace {

std::optional<PadButton> PadButtonOf(int button) {
  switch (button) {
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
      return PadButton::DpadLeft;
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
      return PadButton::DpadRight;
    case SDL_CONTROLLER_BUTTON_LEFTSHOULDER:
      return PadButton::LeftShoulder;
    case SDL_CONTROLLER_BUTTON_RIGHTSHOULDER:
      return PadButton::RightShoulder;
    case SDL_CONTROLLER_BUTTON_START:
      return PadButton::Start;
    default:
      return std::nullopt;
  }
}

}  // namespace

GamepadInput::GamepadInput(QObject* parent) : QObject(parent) {
  // Ctrl+C and the session's end stay with the program, not SDL's queue.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  started_ = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
  if (!started_) return;
  connect(&poll_, &QTimer::timeout, this, &GamepadInput::Poll);
  poll_.start(16);
}

GamepadInput::~GamepadInput() {
  if (started_) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

void GamepadInput::Poll() {
  SDL_Event event;
  while (started_ && SDL_PollEvent(&event)) {
    // Pads there at the start are reported as added too.
    if (event.type == SDL_CONTROLLERDEVICEADDED) {
      SDL_GameControllerOpen(event.cdevice.which);
    } else if (event.type == SDL_CONTROLLERDEVICEREMOVED) {
      SDL_GameControllerClose(SDL_GameControllerFromInstanceID(event.cdevice.which));
    } else if (event.type == SDL_CONTROLLERBUTTONDOWN) {
      if (const auto button = PadButtonOf(event.cbutton.button)) emit pressed(*button);
    }
  }
}

#else  // built without SDL: no pads

GamepadInput::GamepadInput(QObject* parent) : QObject(parent) {}
GamepadInput::~GamepadInput() = default;
void GamepadInput::Poll() {}

#endif
