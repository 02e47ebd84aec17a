#include "app/session/shell_settings.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <filesystem>

#include "app/session/session_files.h"
#include "formats/whole_file.h"

float ShellSettings::Gain() const {
  if (!sound) return 0;
  // Each step down halves the loudness heard, about -10 dB.
  return static_cast<float>(std::pow(10.0, -0.5 * (kLoudest - volume)));
}

namespace {

const char* OnOff(bool on) { return on ? "on" : "off"; }

bool ReadOnOff(std::string_view value, bool& on) {
  if (value == "on")
    on = true;
  else if (value == "off")
    on = false;
  else
    return false;
  return true;
}

bool ReadWhole(std::string_view value, int lowest, int highest, int& number) {
  int read = 0;
  const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), read);
  if (error != std::errc() || end != value.data() + value.size() || read < lowest || read > highest) return false;
  number = read;
  return true;
}

bool ReadSetting(std::string_view name, std::string_view value, ShellSettings& settings) {
  if (name == "sound") return ReadOnOff(value, settings.sound);
  if (name == "volume") return ReadWhole(value, 1, ShellSettings::kLoudest, settings.volume);
  if (name == "smooth") return ReadOnOff(value, settings.smooth);
  if (name == "scale") return value == "fit" ? (settings.scale = 0, true) : ReadWhole(value, 1, 4, settings.scale);
  if (name == "background-pause") return ReadOnOff(value, settings.backgroundPause);
  if (name == "language") {
    if (value == "system") {
      settings.language.reset();
      return true;
    }
    Language language;
    if (!LanguageFromName(value, language)) return false;
    settings.language = language;
    return true;
  }
  return false;
}

}  // namespace

std::string FormatShellSettings(const ShellSettings& settings) {
  std::string text = "# marobel settings: name=value, one a line\n";
  text += std::string("sound=") + OnOff(settings.sound) + "\n";
  text += "volume=" + std::to_string(settings.volume) + "\n";
  text += std::string("smooth=") + OnOff(settings.smooth) + "\n";
  text += "scale=" + (settings.scale ? std::to_string(settings.scale) : std::string("fit")) + "\n";
  text += std::string("language=") + (settings.language ? LanguageName(*settings.language) : "system") + "\n";
  text += std::string("background-pause=") + OnOff(settings.backgroundPause) + "\n";
  return text;
}

bool ParseShellSettings(std::string_view text, ShellSettings& settings, std::string& problem) {
  bool clean = true;
  int lineNumber = 0;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line.front() == '#') continue;
    const std::size_t equals = line.find('=');
    if (equals != std::string_view::npos && ReadSetting(line.substr(0, equals), line.substr(equals + 1), settings))
      continue;
    if (clean) problem = "line " + std::to_string(lineNumber) + " is not a setting this version knows";
    clean = false;
  }
  return clean;
}

std::string SettingsFolder() { return PlayerFolder(L"APPDATA", "XDG_CONFIG_HOME", ".config"); }

ShellSettings LoadShellSettings(const std::string& folder, ShellSettings defaults, std::string& problem) {
  if (folder.empty()) return defaults;
  const std::string name = SessionFileName(SessionFilePath(folder) / kSettingsFileName);
  if (!SessionFileExists(name)) return defaults;
  std::string text, why;
  if (!ReadSessionFile(name, text)) {
    problem = name + ": cannot be read; the settings are the defaults";
  } else if (!ParseShellSettings(text, defaults, why)) {
    problem = name + ": " + why + "; it is left as it is";
  }
  return defaults;
}

bool SaveShellSettings(const std::string& folder, const ShellSettings& settings) {
  if (folder.empty()) return false;
  std::error_code ignored;
  std::filesystem::create_directories(SessionFilePath(folder), ignored);
  const std::string text = FormatShellSettings(settings);
  return ReplaceSessionFile(SessionFileName(SessionFilePath(folder) / kSettingsFileName), text.data(), text.size());
}
