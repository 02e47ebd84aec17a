#pragma once
#include <optional>
#include <string>

#include "app/session/shell_language.h"

// What a player sets in the menus, kept between sessions: outside the game,
// so none of it changes a tick.
struct ShellSettings {
  bool sound = true;
  int volume = kLoudest;  // 1 (quietest) to kLoudest
  bool smooth = true;
  int scale = 0;                     // 1 to 4; 0: fit the window
  std::optional<Language> language;  // none: the system's
  bool backgroundPause = false;      // pause while the window is minimised or the page hidden

  static constexpr int kLoudest = 5;
  // The gain every sound is played at: 0 when muted, else the volume's
  // step on a curve that sounds even to the ear.
  float Gain() const;
  bool operator==(const ShellSettings&) const = default;
};

// "name=value" lines, one a setting; '#' starts a comment line.
std::string FormatShellSettings(const ShellSettings& settings);
// Reads what `text` sets over `settings`. A line that cannot be read leaves
// its setting alone and is named in `problem` (the first such); the rest
// still counts. False when there was such a line.
bool ParseShellSettings(std::string_view text, ShellSettings& settings, std::string& problem);

// Where the desktop shells keep the settings: $XDG_CONFIG_HOME/marobel
// (default ~/.config/marobel) on Linux, %APPDATA%\Marobel on Windows.
// Empty when the environment names no such place.
std::string SettingsFolder();
inline constexpr const char* kSettingsFileName = "settings.txt";

// The settings kept in `folder`, over the defaults given. A missing file is
// no problem; a damaged one is one line in `problem` and never stops the
// game: what can be read of it counts.
ShellSettings LoadShellSettings(const std::string& folder, ShellSettings defaults, std::string& problem);
// Writes them whole or not at all; false when they could not be written.
bool SaveShellSettings(const std::string& folder, const ShellSettings& settings);
