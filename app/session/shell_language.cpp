#include "app/session/shell_language.h"

#include <cstdlib>

#ifdef _WIN32
#include <windows.h>
#endif

Language LanguageOfLocale(std::string_view locale) {
  const bool japanese = locale.size() >= 2 && (locale[0] == 'j' || locale[0] == 'J') &&
                        (locale[1] == 'a' || locale[1] == 'A') &&
                        (locale.size() == 2 || locale[2] == '_' || locale[2] == '-' || locale[2] == '.');
  return japanese ? Language::Japanese : Language::English;
}

Language SystemLanguage() {
#ifdef _WIN32
  return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE ? Language::Japanese : Language::English;
#else
  // The POSIX order of precedence: an empty variable counts as unset.
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(name);
    if (value && *value) return LanguageOfLocale(value);
  }
  return Language::English;
#endif
}

std::string PlainText(std::string_view menuText) {
  std::string plain;
  for (std::size_t i = 0; i < menuText.size(); ++i) {
    // "(&X)" after a Japanese text goes whole; a "&" inside a word alone.
    if (menuText.compare(i, 2, "(&") == 0 && i + 3 < menuText.size() && menuText[i + 3] == ')') {
      i += 3;
      continue;
    }
    if (menuText[i] == '&') continue;
    plain += menuText[i];
  }
  while (!plain.empty() && (plain.back() == '.' || plain.back() == ' ')) plain.pop_back();
  return plain;
}

const char* LanguageName(Language language) { return language == Language::Japanese ? "ja" : "en"; }

bool LanguageFromName(std::string_view name, Language& language) {
  if (name == "ja")
    language = Language::Japanese;
  else if (name == "en")
    language = Language::English;
  else
    return false;
  return true;
}
