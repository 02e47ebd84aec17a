#pragma once
#include "app/session/shell_commands.h"
#include "cabinet/cabinet.h"

// A gamepad's buttons that do something, as every pad API names them in
// its standard layout. The d-pad's left and right and the shoulders drop
// coins in the lanes, as the arrow keys do, and Start pauses, as P does:
// the same key-down and the same command, so that a record cannot tell the
// pad from the keyboard. A shell calls this once per press of a button;
// holding one does not repeat.
enum class PadButton { DpadLeft, DpadRight, LeftShoulder, RightShoulder, Start };

// What a press does: the arrow's virtual key for the game, or a shell
// command; the other one is 0.
struct PadPress {
  int virtualKey = 0;
  int command = 0;
};

constexpr PadPress PadPressOf(PadButton button) {
  switch (button) {
    case PadButton::DpadLeft:
    case PadButton::LeftShoulder:
      return {cabinet::LaneKey(cabinet::Lane::Left), 0};
    case PadButton::DpadRight:
    case PadButton::RightShoulder:
      return {cabinet::LaneKey(cabinet::Lane::Right), 0};
    case PadButton::Start:
      return {0, shell_command::kPause};
  }
  return {};
}
