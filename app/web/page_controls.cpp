// The menus, settings and shell keys of the page, as every shell has them
// (app/session/shell_commands.h): shell.js builds its menu bar from the
// JSON made here and asks here what a key or a menu command does, so the
// page offers the desktop's controls in the desktop's words.
#include "app/web/page_controls.h"

#include <emscripten/emscripten.h>

#include <string>
#include <string_view>

#include "app/session/kept_game.h"
#include "app/session/kept_game_shelf.h"
#include "app/session/shell_commands.h"
#include "app/session/trace.h"
#include "app/web/live_game.h"

namespace {

// On the page the game stops while the tab is hidden unless the player
// says otherwise: a tab left behind would otherwise play on unseen.
ShellSettings PageDefaults() {
  ShellSettings defaults;
  defaults.backgroundPause = true;
  return defaults;
}

ShellSettings settings = PageDefaults();
Language browserLanguage = Language::English;  // navigator.language's
bool pageHidden = false;
bool fullScreen = false;

Language ShownLanguage() { return settings.language.value_or(browserLanguage); }

ShellState StateNow() {
  ShellState state;
  state.settings = settings;
  state.language = ShownLanguage();
  GameSession* session = LiveSession();
  state.paused = session && session->PausedBy(GameSession::PauseReason::Player);
  state.fullScreen = fullScreen;
  state.keptGameExists = PreviousGameExists(KeptGameFolder());
  state.canStartGames = !WatchingReplay();
  return state;
}

const char* KindName(MenuEntry::Kind kind) {
  switch (kind) {
    case MenuEntry::Kind::Check:
      return "check";
    case MenuEntry::Kind::Radio:
      return "radio";
    case MenuEntry::Kind::Separator:
      return "separator";
    case MenuEntry::Kind::Submenu:
      return "submenu";
    default:
      return "command";
  }
}

void AppendEntries(std::string& out, const std::vector<MenuEntry>& entries, const ShellState& state) {
  out += '[';
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const MenuEntry& entry = entries[i];
    if (i) out += ',';
    out += "{\"kind\":\"";
    out += KindName(entry.kind);
    out += "\",\"command\":" + std::to_string(entry.command) + ",\"text\":";
    AppendJsonString(out, entry.text);
    out += ",\"plain\":";
    AppendJsonString(out, PlainText(entry.text));
    out += ",\"keys\":";
    AppendJsonString(out, entry.keys);
    out += std::string(",\"checked\":") + (MenuItemChecked(entry.command, state) ? "true" : "false");
    out += std::string(",\"enabled\":") + (MenuItemEnabled(entry.command, state) ? "true" : "false");
    if (entry.kind == MenuEntry::Kind::Submenu) {
      out += ",\"entries\":";
      AppendEntries(out, entry.entries, state);
    }
    out += '}';
  }
  out += ']';
}

GameSession::PauseReason constexpr kBackground = GameSession::PauseReason::Background;

void ApplyBackgroundPause() {
  if (GameSession* session = LiveSession()) ApplyPagePauses(*session);
}

// The setting a menu command changes; false for a command that is no setting.
bool ChangeSetting(int command) {
  namespace cmd = shell_command;
  if (const int step = cmd::VolumeStepOf(command)) {
    settings.volume = step;
    settings.sound = true;
    return true;
  }
  if (const int scale = cmd::ScaleOf(command)) {
    settings.scale = scale;
    return true;
  }
  switch (command) {
    case cmd::kSound:
      settings.sound = !settings.sound;
      return true;
    case cmd::kSmooth:
      settings.smooth = !settings.smooth;
      return true;
    case cmd::kFit:
      settings.scale = 0;
      return true;
    case cmd::kBackgroundPause:
      settings.backgroundPause = !settings.backgroundPause;
      ApplyBackgroundPause();
      return true;
    case cmd::kJapanese:
      settings.language = Language::Japanese;
      return true;
    case cmd::kEnglish:
      settings.language = Language::English;
      return true;
    default:
      return false;
  }
}

// The statistics window's canvas takes the picture's own size.
constexpr int kLargestStatistics = 4096;
PageWindowHost statisticsHost("statistics", kLargestStatistics, kLargestStatistics, [] { return PixelView{}; });

}  // namespace

const ShellSettings& PageSettings() { return settings; }

void ApplyPagePauses(GameSession& session) { session.SetPaused(kBackground, pageHidden && settings.backgroundPause); }

extern "C" {

// The browser's language tag (navigator.language): the page's language
// while the settings name none.
EMSCRIPTEN_KEEPALIVE void web_set_locale(const char* locale) {
  browserLanguage = LanguageOfLocale(locale ? locale : "");
}

// The settings kept by the page, in the desktop's settings text, over the
// page's defaults: "" when all of it could be read, else the one line
// telling what could not (what could still counts).
EMSCRIPTEN_KEEPALIVE const char* web_load_settings(const char* text) {
  static std::string problem;
  problem.clear();
  settings = PageDefaults();
  ParseShellSettings(text ? text : "", settings, problem);
  ApplyBackgroundPause();
  return problem.c_str();
}

// The settings as the page keeps them.
EMSCRIPTEN_KEEPALIVE const char* web_settings_text() {
  static std::string text;
  text = FormatShellSettings(settings);
  return text.c_str();
}

// What the page follows of the settings, as JSON.
EMSCRIPTEN_KEEPALIVE const char* web_settings_state() {
  static std::string json;
  json = "{\"sound\":" + std::string(settings.sound ? "true" : "false") +
         ",\"volume\":" + std::to_string(settings.volume) + ",\"smooth\":" + (settings.smooth ? "true" : "false") +
         ",\"scale\":" + std::to_string(settings.scale) +
         ",\"backgroundPause\":" + (settings.backgroundPause ? "true" : "false") + ",\"language\":\"" +
         LanguageName(ShownLanguage()) + "\",\"gain\":" + std::to_string(settings.Gain()) + "}";
  return json.c_str();
}

// The menu bar as it stands now, in the page's language: titles, and their
// entries with kind, command, text, key, ticked and enabled.
EMSCRIPTEN_KEEPALIVE const char* web_menus() {
  static std::string json;
  const ShellState state = StateNow();
  json = "[";
  const std::vector<MenuDescription> menus = ShellMenus(state.language);
  for (std::size_t i = 0; i < menus.size(); ++i) {
    if (i) json += ',';
    json += "{\"title\":";
    AppendJsonString(json, menus[i].title);
    json += ",\"entries\":";
    AppendEntries(json, menus[i].entries, state);
    json += '}';
  }
  json += ']';
  return json.c_str();
}

// Every key and what it does, in the page's language: [[keys, does], ...].
EMSCRIPTEN_KEEPALIVE const char* web_keys_help() {
  static std::string json;
  json = "[";
  for (const KeyHelp& help : KeysHelp(ShownLanguage())) {
    if (json.size() > 1) json += ',';
    json += '[';
    AppendJsonString(json, help.keys);
    json += ',';
    AppendJsonString(json, help.does);
    json += ']';
  }
  json += ']';
  return json.c_str();
}

// The shell command a key-down stands for (never the game's), or 0.
EMSCRIPTEN_KEEPALIVE int web_command_for_key(int virtualKey, int control, int alt) {
  return ShellCommandForKey(virtualKey, control != 0, alt != 0);
}

// A menu command that changes a setting: 1 when it was one (the page then
// keeps the settings and follows them), 0 for any other command.
EMSCRIPTEN_KEEPALIVE int web_setting_command(int command) { return ChangeSetting(command) ? 1 : 0; }

EMSCRIPTEN_KEEPALIVE void web_set_full_screen(int on) { fullScreen = on != 0; }

// The page is hidden or shown again (document.visibilityState).
EMSCRIPTEN_KEEPALIVE void web_page_hidden(int hidden) {
  pageHidden = hidden != 0;
  ApplyBackgroundPause();
}

// Whether the game is paused for any reason, for the page's banner.
EMSCRIPTEN_KEEPALIVE int web_paused_any() {
  GameSession* session = LiveSession();
  return session && session->Paused() ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE int web_out_of_credits() {
  GameSession* session = LiveSession();
  return session && session->OutOfCredits() && !WatchingReplay() ? 1 : 0;
}

// Draws the statistics window's picture, as it stands now, into its canvas.
EMSCRIPTEN_KEEPALIVE void web_show_statistics() {
  if (GameSession* session = LiveSession()) statisticsHost.Show(session->StatisticsPicture(ShownLanguage()));
}

}  // extern "C"
