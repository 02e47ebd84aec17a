#pragma once
#include <string>
#include <string_view>

#include "shell_facts.h"

// The language of the shells' own texts: menus, dialogs, notices. The
// game's picture keeps its texts whatever the language.
enum class Language { Japanese, English };

// Japanese for a Japanese locale or language tag ("ja", "ja_JP.UTF-8",
// "ja-JP"), English for every other, and for none.
Language LanguageOfLocale(std::string_view locale);

// The language the system's settings ask for: on POSIX systems the first
// of LC_ALL, LC_MESSAGES and LANG that is set, on Windows the user's
// interface language.
Language SystemLanguage();

// A text of the shell's table in `language`.
inline const char* Say(const shell_fact::Words& words, Language language) {
  return language == Language::Japanese ? words.japanese : words.english;
}

// A menu text as a dialog or a page shows it: without its "&" mnemonic mark
// and the Japanese "(&X)" after it, and without a trailing "...".
std::string PlainText(std::string_view menuText);

// The settings' name of a language, and back (false for an unknown name).
const char* LanguageName(Language language);
bool LanguageFromName(std::string_view name, Language& language);
