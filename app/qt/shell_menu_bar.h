#pragma once
#include <QFont>
#include <QObject>
#include <QPointer>
#include <functional>
#include <map>
#include <vector>

#include "app/session/shell_commands.h"

class QAction;
class QMenu;
class QMenuBar;

// The window's menu bar as every shell has it (shell_commands.h): built in
// one language, rebuilt in another, its ticks and greying read from the
// window's state whenever a menu opens or a command has run.
class ShellMenuBar : public QObject {
  Q_OBJECT
 public:
  using CommandRunner = std::function<void(int command)>;
  using StateSource = std::function<ShellState()>;
  ShellMenuBar(QMenuBar* bar, CommandRunner run, StateSource state);

  // Replaces the menus with those of `language`. Safe from inside one of
  // the menus' own commands: the old menus go once the event loop is back.
  void Build(Language language);
  void Refresh();
  // The menus' font from now on, the bar's own included (the menus are
  // windows of their own, which take no font from the bar).
  void UseFont(const QFont& font);

  // The item of `command`, or null.
  QAction* Action(int command) const;

 private:
  void AddEntries(QMenu* menu, const std::vector<MenuEntry>& entries);

  QMenuBar* bar_;
  CommandRunner run_;
  StateSource state_;
  std::vector<QPointer<QMenu>> menus_;  // submenus included
  QFont font_;
  std::map<int, QAction*> actions_;
};
