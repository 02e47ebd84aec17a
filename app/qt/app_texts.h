#pragma once
#include <QString>

#include "app/session/shell_language.h"
#include "shell_facts.h"

// Every text the shell shows, exactly as the game has always spelled them
// (half-width katakana in the menus, full-width tildes in the title), from
// the shell's one table of facts.
namespace apptext {

inline QString WindowTitle() { return QString::fromUtf8(shell_fact::kTitle); }
inline QString AboutCaption() { return QString::fromUtf8(shell_fact::kAboutCaption); }
inline QString AboutText() { return QString::fromUtf8(shell_fact::kAboutText); }
inline QString OkButton() { return QString::fromUtf8(shell_fact::kOkButton); }

// A text of the table in the language the menus speak now.
inline QString Text(const shell_fact::Words& words, Language language) {
  return QString::fromUtf8(Say(words, language));
}
// A menu item's text as a button or a caption shows it.
inline QString Plain(const shell_fact::Words& words, Language language) {
  return QString::fromStdString(PlainText(Say(words, language)));
}

}  // namespace apptext
