#pragma once
#include <QMainWindow>

class CanvasSurface;
class QAction;

// Menu and accelerator commands.
inline constexpr int kCmdAbout = 104;
inline constexpr int kCmdExit = 105;

// The game's one window: menu bar, the game canvas below it, the tick timer
// and the keyboard. Every rule of the game stays in the core; this window
// only routes timer expiries, key-downs and paints to it.
class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  static constexpr int kOuterWidth = 400;
  static constexpr int kOuterHeight = 450;

  explicit MainWindow(QWidget* parent = nullptr);

  // A menu or accelerator command; false for one this window does not know.
  bool RunCommand(int command);

  CanvasSurface* Surface() const { return surface_; }
  QAction* AboutAction() const { return aboutAction_; }
  QAction* ExitAction() const { return exitAction_; }
  long long TicksRun() const { return ticksRun_; }

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildMenus();
  void RunTick();
  void FitOuterSize();

  CanvasSurface* surface_ = nullptr;
  QAction* aboutAction_ = nullptr;
  QAction* exitAction_ = nullptr;
  long long ticksRun_ = 0;
  bool outerSizeFitted_ = false;
};
