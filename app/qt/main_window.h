#pragma once
#include <QElapsedTimer>
#include <QMainWindow>
#include <QTimer>
#include <memory>

#include "app/session/window_scale.h"
#include "app/session/game_session.h"
#include "shell_facts.h"

class CanvasSurface;
class QAction;

// Menu and accelerator commands, with the ids every shell gives them.
inline constexpr int kCmdAbout = shell_fact::kCommandAbout;
inline constexpr int kCmdExit = shell_fact::kCommandExit;
inline constexpr int kCmdSmooth = shell_fact::kCommandSmooth;

// The game's one window: menu bar, the game canvas below it, the tick timer
// and the keyboard. Every rule of the game stays in the core; this window
// only routes timer expiries, key-downs and paints to it, through the
// session that also keeps the records the player asked for.
class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  static constexpr int kOuterWidth = kWindowWidth;
  static constexpr int kOuterHeight = kWindowHeight;

  // Plays through `session` (not owned), or through a session of its own
  // that records nothing when none is given.
  explicit MainWindow(GameSession* session = nullptr, QWidget* parent = nullptr);

  // Shows the game's pixels `scale` times larger and sizes the window to
  // match; before the window is shown.
  void UseScale(int scale);
  int GameScale() const { return scale_; }

  // The window's own keys, F11 and Alt+Enter: the full screen on and off.
  void ToggleFullscreen();

  // A menu or accelerator command; false for one this window does not know.
  bool RunCommand(int command);

  CanvasSurface* Surface() const { return surface_; }
  QAction* AboutAction() const { return aboutAction_; }
  QAction* ExitAction() const { return exitAction_; }
  QAction* SmoothAction() const { return smoothAction_; }
  long long TicksRun() const { return session_->TicksRun(); }

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildMenus();
  void FitOuterSize();
  bool ShowHiddenMenuBar();
  PixelView PictureNow();
  void PacePictures();

  std::unique_ptr<GameSession> ownSession_;
  GameSession* session_ = nullptr;
  CanvasSurface* surface_ = nullptr;
  QAction* aboutAction_ = nullptr;
  QAction* exitAction_ = nullptr;
  QAction* smoothAction_ = nullptr;
  QElapsedTimer sinceTick_;  // how far the pictures are on the way to the next tick
  QTimer pictureClock_;      // a repaint each refresh of the screen while things move between ticks
  bool outerSizeFitted_ = false;
  int scale_ = 1;
  bool altAlone_ = false;  // Alt pressed, and no other key since
};
