#include "app/session/shell_commands.h"

#include <iterator>

namespace shell_command {

int VolumeStepOf(int command) {
  for (int step = 1; step <= ShellSettings::kLoudest; ++step)
    if (Volume(step) == command) return step;
  return 0;
}

int ScaleOf(int command) {
  for (int scale = 1; scale <= static_cast<int>(std::size(shell_fact::kCommandScale)); ++scale)
    if (Scale(scale) == command) return scale;
  return 0;
}

}  // namespace shell_command

namespace {

using Kind = MenuEntry::Kind;
namespace cmd = shell_command;

// Windows virtual-key codes of the shell's own keys.
constexpr int kKeyPause = 0x13, kKeyReturn = 0x0D, kKeyF11 = 0x7A;
constexpr int kKeyN = 'N', kKeyM = 'M', kKeyP = 'P';

MenuEntry Item(int command, const shell_fact::Words& words, Language language, std::string keys = {},
               Kind kind = Kind::Command) {
  return {kind, command, Say(words, language), std::move(keys), {}};
}

MenuEntry Separator() { return {Kind::Separator, 0, {}, {}, {}}; }

}  // namespace

std::vector<MenuDescription> ShellMenus(Language language) {
  using namespace shell_fact;
  const Language l = language;

  MenuDescription file{Say(kFileMenuWords, l), {}};
  file.entries = {Item(cmd::kNewGame, kNewGameItemWords, l, "Ctrl+N"),
                  Item(cmd::kContinue, kContinueItemWords, l),
                  Item(cmd::kFreePlay, kFreePlayItemWords, l),
                  Separator(),
                  Item(cmd::kPause, kPauseItemWords, l, "P", Kind::Check),
                  Separator(),
                  Item(cmd::kExit, kExitItemWords, l)};

  MenuEntry volume{Kind::Submenu, 0, Say(kVolumeMenuWords, l), {}, {}};
  for (int step = 1; step <= ShellSettings::kLoudest; ++step)
    volume.entries.push_back({Kind::Radio, cmd::Volume(step), "&" + std::to_string(step), {}, {}});
  MenuEntry scale{Kind::Submenu, 0, Say(kScaleMenuWords, l), {}, {}};
  for (int times = 1; times <= static_cast<int>(std::size(kCommandScale)); ++times)
    scale.entries.push_back({Kind::Radio, cmd::Scale(times), "&" + std::to_string(times) + "x", {}, {}});
  scale.entries.push_back(Item(cmd::kFit, kFitItemWords, l, {}, Kind::Radio));
  MenuEntry languages{Kind::Submenu, 0, Say(kLanguageMenuWords, l), {}, {}};
  languages.entries = {{Kind::Radio, cmd::kJapanese, kJapaneseItem, {}, {}},
                       {Kind::Radio, cmd::kEnglish, kEnglishItem, {}, {}}};

  MenuDescription view{Say(kViewMenuWords, l), {}};
  view.entries = {Item(cmd::kSound, kSoundItemWords, l, "M", Kind::Check),
                  std::move(volume),
                  Separator(),
                  Item(cmd::kSmooth, kSmoothItemWords, l, {}, Kind::Check),
                  std::move(scale),
                  Item(cmd::kFullScreen, kFullScreenItemWords, l, "F11", Kind::Check),
                  Separator(),
                  Item(cmd::kBackgroundPause, kBackgroundPauseItemWords, l, {}, Kind::Check),
                  std::move(languages)};

  MenuDescription help{Say(kHelpMenuWords, l), {}};
  help.entries = {Item(cmd::kKeys, kKeysItemWords, l), Item(cmd::kStatistics, kStatisticsItemWords, l), Separator(),
                  Item(cmd::kAbout, kAboutItemWords, l)};
  return {std::move(file), std::move(view), std::move(help)};
}

bool MenuItemChecked(int command, const ShellState& state) {
  const ShellSettings& s = state.settings;
  if (const int step = cmd::VolumeStepOf(command)) return s.volume == step;
  if (const int times = cmd::ScaleOf(command)) return s.scale == times;
  switch (command) {
    case cmd::kPause:
      return state.paused;
    case cmd::kSound:
      return s.sound;
    case cmd::kSmooth:
      return s.smooth;
    case cmd::kFit:
      return s.scale == 0;
    case cmd::kFullScreen:
      return state.fullScreen;
    case cmd::kBackgroundPause:
      return s.backgroundPause;
    case cmd::kJapanese:
      return state.language == Language::Japanese;
    case cmd::kEnglish:
      return state.language == Language::English;
    default:
      return false;
  }
}

bool MenuItemEnabled(int command, const ShellState& state) {
  switch (command) {
    case cmd::kNewGame:
    case cmd::kFreePlay:
      return state.canStartGames;
    case cmd::kContinue:
      return state.canStartGames && state.keptGameExists;
    default:
      return true;
  }
}

int ShellCommandForKey(int virtualKey, bool control, bool alt) {
  if (alt) return virtualKey == kKeyReturn ? cmd::kFullScreen : 0;
  if (control) return virtualKey == kKeyN ? cmd::kNewGame : 0;
  switch (virtualKey) {
    case kKeyP:
    case kKeyPause:
      return cmd::kPause;
    case kKeyM:
      return cmd::kSound;
    case kKeyF11:
      return cmd::kFullScreen;
    default:
      return 0;
  }
}

std::vector<KeyHelp> KeysHelp(Language language) {
  using namespace shell_fact;
  return {{"←", Say(kKeyLeftDoesWords, language)},         {"→", Say(kKeyRightDoesWords, language)},
          {"P, Pause", Say(kKeyPauseDoesWords, language)}, {"M", Say(kKeySoundDoesWords, language)},
          {"Ctrl+N", Say(kKeyNewGameDoesWords, language)}, {"F11, Alt+Enter", Say(kKeyFullScreenDoesWords, language)},
          {"Alt, F10", Say(kKeyMenuDoesWords, language)},  {"Alt+?, Alt+/", Say(kKeyAboutDoesWords, language)}};
}
