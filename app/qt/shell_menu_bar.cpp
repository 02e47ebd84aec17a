#include "app/qt/shell_menu_bar.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <utility>

ShellMenuBar::ShellMenuBar(QMenuBar* bar, CommandRunner run, StateSource state)
    : QObject(bar), bar_(bar), run_(std::move(run)), state_(std::move(state)), font_(bar->font()) {}

void ShellMenuBar::UseFont(const QFont& font) {
  font_ = font;
  bar_->setFont(font_);
  for (const QPointer<QMenu>& menu : menus_)
    if (menu) menu->setFont(font_);
}

void ShellMenuBar::Build(Language language) {
  bar_->clear();
  actions_.clear();
  for (const QPointer<QMenu>& menu : menus_)
    if (menu) menu->deleteLater();
  menus_.clear();
  for (const MenuDescription& description : ShellMenus(language)) {
    auto* menu = new QMenu(QString::fromStdString(description.title), bar_);
    menu->setFont(font_);
    menus_.emplace_back(menu);
    AddEntries(menu, description.entries);
    bar_->addMenu(menu);
  }
  Refresh();
}

void ShellMenuBar::AddEntries(QMenu* menu, const std::vector<MenuEntry>& entries) {
  // Ticks and greying are read afresh each time, so a menu never shows a
  // state that changed by a key or by the window meanwhile.
  connect(menu, &QMenu::aboutToShow, this, &ShellMenuBar::Refresh);
  QActionGroup* radios = nullptr;
  for (const MenuEntry& entry : entries) {
    using Kind = MenuEntry::Kind;
    if (entry.kind == Kind::Separator) {
      menu->addSeparator();
      continue;
    }
    if (entry.kind == Kind::Submenu) {
      auto* submenu = new QMenu(QString::fromStdString(entry.text), menu);
      submenu->setFont(font_);
      menus_.emplace_back(submenu);
      AddEntries(submenu, entry.entries);
      menu->addMenu(submenu);
      continue;
    }
    // The key is only written beside the item: the window routes its own
    // keys itself, so that none of them ever reaches the game.
    QString text = QString::fromStdString(entry.text);
    if (!entry.keys.empty()) text += QLatin1Char('\t') + QString::fromStdString(entry.keys);
    QAction* action = menu->addAction(text);
    if (entry.kind == Kind::Check || entry.kind == Kind::Radio) action->setCheckable(true);
    if (entry.kind == Kind::Radio) {
      if (!radios) radios = new QActionGroup(menu);
      radios->addAction(action);
    }
    const int command = entry.command;
    connect(action, &QAction::triggered, this, [this, command] { run_(command); });
    actions_[command] = action;
  }
}

void ShellMenuBar::Refresh() {
  const ShellState state = state_();
  for (const auto& [command, action] : actions_) {
    if (action->isCheckable()) action->setChecked(MenuItemChecked(command, state));
    action->setEnabled(MenuItemEnabled(command, state));
  }
}

QAction* ShellMenuBar::Action(int command) const {
  const auto found = actions_.find(command);
  return found == actions_.end() ? nullptr : found->second;
}
