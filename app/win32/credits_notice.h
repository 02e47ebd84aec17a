#pragma once
#include <windows.h>

#include "app/session/shell_language.h"

// The notice shown below the game area when the player is out of credits:
// a line of text and the two ways to go on, New game and Free play. Its
// buttons send the window the menu's commands. A strip of its own, so
// the game's picture is never covered.
class CreditsNotice {
 public:
  void Create(HWND parent);
  // The strip's height in pixels while it is shown.
  static constexpr int kHeight = 56;
  bool Shown() const { return shown_; }
  void Show(bool shown);
  void SetLanguage(Language language);
  // Puts the strip along the bottom of the parent's client area.
  void Place();

 private:
  HWND parent_ = nullptr;
  HWND panel_ = nullptr;
  HWND text_ = nullptr;
  HWND newGame_ = nullptr;
  HWND freePlay_ = nullptr;
  bool shown_ = false;
};
