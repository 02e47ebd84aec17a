#pragma once
#include <QString>

#include "shell_facts.h"

// Every text the shell shows, exactly as the game has always spelled them
// (half-width katakana in the menus, full-width tildes in the title), from
// the shell's one table of facts.
namespace apptext {

inline QString WindowTitle() { return QString::fromUtf8(shell_fact::kTitle); }
inline QString FileMenu() { return QString::fromUtf8(shell_fact::kFileMenu); }
inline QString ExitItem() { return QString::fromUtf8(shell_fact::kExitItem); }
inline QString ViewMenu() { return QString::fromUtf8(shell_fact::kViewMenu); }
inline QString SmoothItem() { return QString::fromUtf8(shell_fact::kSmoothItem); }
inline QString HelpMenu() { return QString::fromUtf8(shell_fact::kHelpMenu); }
inline QString AboutItem() { return QString::fromUtf8(shell_fact::kAboutItem); }
inline QString AboutCaption() { return QString::fromUtf8(shell_fact::kAboutCaption); }
inline QString AboutText() { return QString::fromUtf8(shell_fact::kAboutText); }
inline QString OkButton() { return QString::fromUtf8(shell_fact::kOkButton); }

}  // namespace apptext
