#pragma once
#include <QMainWindow>
#include <memory>

#include "app/session/window_session.h"

class CanvasSurface;
class QAction;

// Menu and accelerator commands.
inline constexpr int kCmdAbout = 104;
inline constexpr int kCmdExit = 105;

// The game's one window: menu bar, the game canvas below it, the tick timer
// and the keyboard. Every rule of the game stays in the core; this window
// only routes timer expiries, key-downs and paints to it, through the
// session that also keeps the records the player asked for.
class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  static constexpr int kOuterWidth = 400;
  static constexpr int kOuterHeight = 450;

  // Plays through `session` (not owned), or through a session of its own
  // that records nothing when none is given.
  explicit MainWindow(WindowSession* session = nullptr, QWidget* parent = nullptr);

  // A menu or accelerator command; false for one this window does not know.
  bool RunCommand(int command);

  CanvasSurface* Surface() const { return surface_; }
  QAction* AboutAction() const { return aboutAction_; }
  QAction* ExitAction() const { return exitAction_; }
  long long TicksRun() const { return session_->TicksRun(); }

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildMenus();
  void FitOuterSize();

  std::unique_ptr<WindowSession> ownSession_;
  WindowSession* session_ = nullptr;
  CanvasSurface* surface_ = nullptr;
  QAction* aboutAction_ = nullptr;
  QAction* exitAction_ = nullptr;
  bool outerSizeFitted_ = false;
};
