#pragma once
#include <QElapsedTimer>
#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <memory>
#include <optional>
#include <string>

#include "app/session/game_session.h"
#include "app/session/shell_commands.h"
#include "app/session/shell_settings.h"
#include "app/session/window_scale.h"

class CanvasSurface;
class OutOfCreditsBar;
class QAction;
class QtSoundOutput;
class ShellMenuBar;
class StatisticsWindow;

// The game's one window: menu bar, the game canvas below it, the tick timer
// and the keyboard. Every rule of the game stays in the core; this window
// only routes timer expiries, key-downs and paints to it, through the
// session that also keeps the records the player asked for. The player's
// controls around the game (pause, sound, zoom, language, other games) are
// the menus every shell has.
class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  static constexpr int kOuterWidth = kWindowWidth;
  static constexpr int kOuterHeight = kWindowHeight;

  // Plays through `session` (not owned), or through a session of its own
  // that records nothing when none is given, with the player's `settings`.
  explicit MainWindow(GameSession* session = nullptr, const ShellSettings& settings = {}, QWidget* parent = nullptr);
  ~MainWindow() override;

  // Every change of the settings is written to `folder` from now on.
  void SaveSettingsIn(std::string folder) { settingsFolder_ = std::move(folder); }
  // Something the player should read while the game goes on (a kept game
  // that could not be continued, a game that is not kept): a box beside
  // the window that takes neither the keyboard nor the game's time.
  void TellNotice(const std::string& notice);
  // The sounds are heard through `sound` (not owned) at the settings' gain.
  void UseSoundOutput(QtSoundOutput* sound);

  // Shows the game's pixels `scale` times larger (0: as large as the screen
  // comfortably allows) and sizes the window to match.
  void UseScale(int scale);
  int GameScale() const { return scale_; }

  void ToggleFullscreen();

  // A menu or key command; false for one this window does not know.
  bool RunCommand(int command);

  // What the menus show now.
  ShellState State() const;
  const ShellSettings& Settings() const { return settings_; }
  Language ShownLanguage() const { return language_; }

  CanvasSurface* Surface() const { return surface_; }
  QAction* Action(int command) const;
  QAction* AboutAction() const { return Action(shell_command::kAbout); }
  QAction* ExitAction() const { return Action(shell_command::kExit); }
  QAction* SmoothAction() const { return Action(shell_command::kSmooth); }
  OutOfCreditsBar* OutOfCreditsNotice() const { return outOfCredits_; }
  StatisticsWindow* Statistics() const;
  long long TicksRun() const { return session_->TicksRun(); }

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void changeEvent(QEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  bool Run(int command);
  void ApplyLanguage();
  void ApplyGain();
  void SaveSettings();
  void ShowPauseBanner();
  void ShowOutOfCredits(bool out);
  void FollowBackground();
  bool Confirm(const QString& question);
  void StartGame(GameSession::GameStart start, std::optional<long long> credits);
  void ShowStatistics();
  int FittingScale() const;
  int DecorationHeight() const;
  void FollowScaleWithControls();
  // The client area at the game's scale inside a window manager's `frame`.
  QSize ClientSizeWithin(const QMargins& frame) const;
  void FitOuterSize();
  bool ShowHiddenMenuBar();
  PixelView PictureNow();
  void PacePictures();

  std::unique_ptr<GameSession> ownSession_;
  GameSession* session_ = nullptr;
  ShellSettings settings_;      // as the player set them, and as they are saved
  std::string settingsFolder_;  // empty: not saved
  Language language_ = Language::English;
  QtSoundOutput* sound_ = nullptr;
  CanvasSurface* surface_ = nullptr;
  OutOfCreditsBar* outOfCredits_ = nullptr;
  ShellMenuBar* menus_ = nullptr;
  QPointer<StatisticsWindow> statistics_;
  QElapsedTimer sinceTick_;  // how far the pictures are on the way to the next tick
  QTimer pictureClock_;      // a repaint each refresh of the screen while things move between ticks
  bool outerSizeFitted_ = false;
  int scale_ = 1;
  int menuScale_ = 1;                 // the zoom chosen: 0 to fit, or scale_
  double controlsScale_ = 1;          // the menus' and boxes' font over the toolkit's
  bool scaleChosenOnScreen_ = false;  // to be applied when the full screen ends
  bool altAlone_ = false;             // Alt pressed, and no other key since
};
