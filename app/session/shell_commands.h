#pragma once
#include <span>
#include <string>
#include <vector>

#include "app/session/shell_language.h"
#include "app/session/shell_settings.h"
#include "shell_facts.h"

// The shells' menus and their own keys, described once: every shell (the
// Qt and Windows windows, the page) builds its menu bar from this table and
// asks it which command a key stands for, so that all of them offer the
// same controls under the same keys. None of these commands is a rule of
// the game; none of their keys reaches the game or its record.

namespace shell_command {
inline constexpr int kAbout = shell_fact::kCommandAbout;
inline constexpr int kExit = shell_fact::kCommandExit;
inline constexpr int kSmooth = shell_fact::kCommandSmooth;
inline constexpr int kNewGame = shell_fact::kCommandNewGame;
inline constexpr int kContinue = shell_fact::kCommandContinue;
inline constexpr int kFreePlay = shell_fact::kCommandFreePlay;
inline constexpr int kPause = shell_fact::kCommandPause;
inline constexpr int kSound = shell_fact::kCommandSound;
inline constexpr int kFit = shell_fact::kCommandFit;
inline constexpr int kFullScreen = shell_fact::kCommandFullScreen;
inline constexpr int kJapanese = shell_fact::kCommandJapanese;
inline constexpr int kEnglish = shell_fact::kCommandEnglish;
inline constexpr int kBackgroundPause = shell_fact::kCommandBackgroundPause;
inline constexpr int kKeys = shell_fact::kCommandKeys;
inline constexpr int kStatistics = shell_fact::kCommandStatistics;
// Volume step 1 (quietest) to ShellSettings::kLoudest, scale 1x to 4x.
inline constexpr int Volume(int step) { return shell_fact::kCommandVolume[step - 1]; }
inline constexpr int Scale(int scale) { return shell_fact::kCommandScale[scale - 1]; }
// The step or scale a command sets, or 0 for another command.
int VolumeStepOf(int command);
int ScaleOf(int command);
}  // namespace shell_command

// One entry of a menu: a command, a separator, or a submenu.
struct MenuEntry {
  enum class Kind { Command, Check, Radio, Separator, Submenu };
  Kind kind = Kind::Command;
  int command = 0;                 // 0 for a separator or a submenu
  std::string text;                // in the language asked for, with its "&" mnemonic
  std::string keys;                // the key shown beside it ("Ctrl+N"), empty for none
  std::vector<MenuEntry> entries;  // a submenu's
};
struct MenuDescription {
  std::string title;
  std::vector<MenuEntry> entries;
};

// The menu bar in `language`: File, View, Help.
std::vector<MenuDescription> ShellMenus(Language language);

// What a shell knows that the menus show: which items are ticked or greyed.
struct ShellState {
  ShellSettings settings;
  Language language = Language::English;  // the one shown now
  bool paused = false;                    // by the player (not by the window being hidden)
  bool fullScreen = false;
  bool keptGameExists = false;  // a last game to continue
  bool canStartGames = true;    // false while a replay is being watched
};
// Whether an item is ticked (a check or radio item) and whether it can be
// chosen now.
bool MenuItemChecked(int command, const ShellState& state);
bool MenuItemEnabled(int command, const ShellState& state);

// The shell's own keys, as Windows virtual-key codes with the modifiers:
// the command a key-down stands for, or 0 when it is not one of them (and
// may go to the game). Auto-repeats should be ignored by the caller.
int ShellCommandForKey(int virtualKey, bool control, bool alt);

// Every key and what it does, for the Keys window: the key as written on
// the keyboard, then what it does in `language`.
struct KeyHelp {
  std::string keys;
  std::string does;
};
std::vector<KeyHelp> KeysHelp(Language language);
