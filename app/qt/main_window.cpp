#include "app/qt/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <QWindow>
#include <QtMath>
#include <cmath>
#include <cstdio>

#include "app/qt/about_box.h"
#include "app/qt/app_icon.h"
#include "app/qt/app_texts.h"
#include "app/qt/canvas_surface.h"
#include "app/qt/dialog_units.h"
#include "app/qt/free_play_dialog.h"
#include "app/qt/gamepad_input.h"
#include "app/qt/keys_dialog.h"
#include "app/qt/out_of_credits_bar.h"
#include "app/qt/qt_sound_output.h"
#include "app/qt/shell_menu_bar.h"
#include "app/qt/statistics_window.h"
#include "app/qt/virtual_key.h"

namespace cmd = shell_command;
using PauseReason = GameSession::PauseReason;

MainWindow::MainWindow(GameSession* session, const ShellSettings& settings, QWidget* parent)
    : QMainWindow(parent),
      ownSession_(session ? nullptr : std::make_unique<GameSession>()),
      session_(session ? session : ownSession_.get()),
      settings_(settings) {
  setWindowTitle(apptext::WindowTitle());
  setWindowIcon(AppIcon());
  // The command line may have turned smooth motion off for this session.
  if (!settings_.smooth) session_->SetSmoothMotion(false);

  // Inside the window, as the outer size counts the menu bar.
  menuBar()->setNativeMenuBar(false);
  menus_ = new ShellMenuBar(
      menuBar(), [this](int command) { RunCommand(command); }, [this] { return State(); });

  auto* central = new QWidget(this);
  auto* column = new QVBoxLayout(central);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  surface_ = new CanvasSurface([this] { return PictureNow(); }, central);
  column->addWidget(surface_, 1);
  outOfCredits_ = new OutOfCreditsBar(central);
  outOfCredits_->hide();
  column->addWidget(outOfCredits_);
  setCentralWidget(central);
  connect(outOfCredits_, &OutOfCreditsBar::newGameChosen, this, [this] { RunCommand(cmd::kNewGame); });
  connect(outOfCredits_, &OutOfCreditsBar::freePlayChosen, this, [this] { RunCommand(cmd::kFreePlay); });
  ApplyLanguage();

  connect(surface_, &CanvasSurface::timerFired, this, [this](int) {
    sinceTick_.restart();
    session_->Tick(surface_);
    ShowOutOfCredits(session_->OutOfCredits());
  });
  // Pictures between ticks come at the screen's rate; a paint that comes
  // late is simply later on the way, and the tick timer is never held up.
  pictureClock_.setTimerType(Qt::PreciseTimer);
  connect(&pictureClock_, &QTimer::timeout, this, [this] {
    if (session_->Smoothing()) surface_->update();
  });
  sinceTick_.start();
  PacePictures();

  // Until the window manager reports its frame, the client area takes the
  // whole outer size; FitOuterSize shrinks it once the frame is known.
  resize(kOuterWidth, kOuterHeight);
  setFocusPolicy(Qt::StrongFocus);

  // On the full screen the menu bar shown for Alt or F10 goes again once
  // the keyboard has left it and no menu of it is open.
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
    if (!isFullScreen() || !menuBar()->isVisible() || QApplication::activePopupWidget()) return;
    if (now != menuBar()) menuBar()->hide();
  });
  menuBar()->installEventFilter(this);
  connect(qApp, &QGuiApplication::applicationStateChanged, this, [this] { FollowBackground(); });

  // A pad's press is the arrow key or the command it stands for, and like
  // a key reaches only the window the player is at.
  connect(new GamepadInput(this), &GamepadInput::pressed, this, [this](PadButton button) {
    if (!isActiveWindow()) return;
    const PadPress press = PadPressOf(button);
    if (press.virtualKey)
      session_->PlayerKeyDown(press.virtualKey);
    else
      RunCommand(press.command);
  });

  // The creation reset, and the 200 ms tick timer started on the surface.
  session_->Reset(surface_);
}

MainWindow::~MainWindow() = default;

void MainWindow::UseSoundOutput(QtSoundOutput* sound) {
  sound_ = sound;
  ApplyGain();
}

int MainWindow::FittingScale() const {
  const QScreen* shown = screen() ? screen() : QGuiApplication::primaryScreen();
  const qreal ratio = shown ? shown->devicePixelRatio() : 1.0;
  return DefaultWindowScale(shown ? static_cast<int>(shown->size().height() * ratio) : 0, ratio);
}

int MainWindow::DecorationHeight() const {
  return menuBar()->sizeHint().height() + (outOfCredits_->isHidden() ? 0 : outOfCredits_->sizeHint().height());
}

void MainWindow::UseScale(int scale) {
  menuScale_ = scale;
  scale_ = scale > 0 ? scale : FittingScale();
  if (isFullScreen()) {
    scaleChosenOnScreen_ = true;
    return;
  }
  surface_->ShowWindowed(scale_);
  FollowScaleWithControls();
  // Until the frame is known: the menu bar is the only decoration.
  resize(ClientSizeWithin({}));
  outerSizeFitted_ = false;
  FitOuterSize();
}

void MainWindow::FollowScaleWithControls() {
  controlsScale_ = ControlsScale(scale_, devicePixelRatioF());
  menus_->UseFont(ScaledFont(QApplication::font("QMenu"), controlsScale_));
  outOfCredits_->setFont(ScaledFont(QApplication::font(), controlsScale_));
}

QSize MainWindow::ClientSizeWithin(const QMargins& frame) const {
  // The desktop's own scaling (Qt's device pixel ratio) draws the frame
  // and the controls larger, and the controls follow the game's scale on
  // top of it: counted at what they would take at scale 1, only the game
  // area grows, and every scale shows as much of the game as scale 1 does.
  const qreal ratio = devicePixelRatioF();
  const int controls = DecorationHeight();
  const PixelSize atOne{frame.left() + frame.right(),
                        frame.top() + frame.bottom() + qCeil(controls / controlsScale_ - 1e-6)};
  const PixelSize game = ScaledGameArea(atOne, scale_);
  // Rounded up: a device pixel short would cut a row off the cabinet.
  return {qCeil(game.width / ratio - 1e-6), qCeil(game.height / ratio - 1e-6) + controls};
}

void MainWindow::ToggleFullscreen() {
  if (isFullScreen()) {
    showNormal();
    menuBar()->show();
    if (scaleChosenOnScreen_) {
      scaleChosenOnScreen_ = false;
      UseScale(menuScale_);
    } else {
      surface_->ShowWindowed(scale_);
    }
  } else {
    menuBar()->hide();
    surface_->ShowOnScreen();
    showFullScreen();
  }
}

ShellState MainWindow::State() const {
  ShellState state;
  state.settings = settings_;
  // This session's, which the command line may have set otherwise.
  state.settings.smooth = session_->SmoothMotion();
  state.settings.scale = menuScale_;
  state.language = language_;
  state.paused = session_->PausedBy(PauseReason::Player);
  state.fullScreen = isFullScreen();
  state.keptGameExists = session_->PreviousGameKept();
  state.canStartGames = !session_->ReplayRunning();
  return state;
}

QAction* MainWindow::Action(int command) const { return menus_->Action(command); }

bool MainWindow::RunCommand(int command) {
  // A greyed item's key does nothing either.
  if (!MenuItemEnabled(command, State())) return true;
  const bool known = Run(command);
  menus_->Refresh();
  return known;
}

bool MainWindow::Run(int command) {
  if (const int step = cmd::VolumeStepOf(command)) {
    settings_.volume = step;
    ApplyGain();
    SaveSettings();
    return true;
  }
  if (const int scale = cmd::ScaleOf(command)) {
    settings_.scale = scale;
    UseScale(scale);
    SaveSettings();
    return true;
  }
  switch (command) {
    case cmd::kAbout: {
      // Modal: its loop goes on delivering this window's timer and paint
      // events, so the game runs on behind it, while keys stay with the box.
      AboutBox box(this, scale_);
      box.PlaceOver(surface_, isFullScreen());
      box.exec();
      return true;
    }
    case cmd::kExit:
      close();
      return true;
    case cmd::kNewGame:
      if (session_->TicksRun() == 0 || Confirm(apptext::Text(shell_fact::kNewGameQuestionWords, language_)))
        StartGame(GameSession::GameStart::New, std::nullopt);
      return true;
    case cmd::kContinue:
      StartGame(GameSession::GameStart::Continue, std::nullopt);
      return true;
    case cmd::kFreePlay:
      if (const std::optional<long long> credits = AskFreePlayCredits(this, language_))
        StartGame(GameSession::GameStart::New, credits);
      return true;
    case cmd::kPause:
      session_->SetPaused(PauseReason::Player, !session_->PausedBy(PauseReason::Player));
      ShowPauseBanner();
      return true;
    case cmd::kSound:
      settings_.sound = !settings_.sound;
      ApplyGain();
      SaveSettings();
      return true;
    case cmd::kSmooth:
      session_->SetSmoothMotion(!session_->SmoothMotion());
      settings_.smooth = session_->SmoothMotion();
      surface_->update();
      SaveSettings();
      return true;
    case cmd::kFit:
      settings_.scale = 0;
      UseScale(0);
      SaveSettings();
      return true;
    case cmd::kFullScreen:
      ToggleFullscreen();
      return true;
    case cmd::kBackgroundPause:
      settings_.backgroundPause = !settings_.backgroundPause;
      FollowBackground();
      SaveSettings();
      return true;
    case cmd::kJapanese:
    case cmd::kEnglish:
      settings_.language = command == cmd::kJapanese ? Language::Japanese : Language::English;
      ApplyLanguage();
      SaveSettings();
      return true;
    case cmd::kKeys:
      ShowKeysDialog(this, language_);
      return true;
    case cmd::kStatistics:
      ShowStatistics();
      return true;
    default:
      return false;
  }
}

void MainWindow::ApplyLanguage() {
  language_ = settings_.language.value_or(SystemLanguage());
  menus_->Build(language_);
  outOfCredits_->SpeakIn(language_);
  ShowPauseBanner();
  if (statistics_) {
    statistics_->setWindowTitle(apptext::Text(shell_fact::kStatisticsCaptionWords, language_));
    statistics_->ShowPicture();
  }
}

void MainWindow::ApplyGain() {
  if (sound_) sound_->SetGain(settings_.Gain());
}

void MainWindow::SaveSettings() {
  if (settingsFolder_.empty() || SaveShellSettings(settingsFolder_, settings_)) return;
  std::fprintf(stderr, "marobel: the settings could not be saved in %s\n", settingsFolder_.c_str());
}

void MainWindow::ShowPauseBanner() {
  surface_->ShowBanner(session_->Paused() ? apptext::Text(shell_fact::kPausedBannerWords, language_) : QString());
}

void MainWindow::ShowOutOfCredits(bool out) {
  if (out == !outOfCredits_->isHidden()) return;
  // The window grows by the bar rather than the game shrinking under it.
  const int height = outOfCredits_->sizeHint().height();
  outOfCredits_->setVisible(out);
  if (!isFullScreen() && !isMaximized()) resize(width(), this->height() + (out ? height : -height));
}

void MainWindow::FollowBackground() {
  const Qt::ApplicationState application = QGuiApplication::applicationState();
  const bool hidden = isMinimized() || application == Qt::ApplicationHidden || application == Qt::ApplicationSuspended;
  session_->SetPaused(PauseReason::Background, settings_.backgroundPause && hidden);
  ShowPauseBanner();
}

bool MainWindow::Confirm(const QString& question) {
  QMessageBox box(QMessageBox::Question, windowTitle(), question, QMessageBox::NoButton, this);
  QPushButton* ok = box.addButton(apptext::OkButton(), QMessageBox::AcceptRole);
  box.addButton(apptext::Text(shell_fact::kCancelButtonWords, language_), QMessageBox::RejectRole);
  box.setDefaultButton(ok);
  box.exec();
  return box.clickedButton() == ok;
}

void MainWindow::StartGame(GameSession::GameStart start, std::optional<long long> credits) {
  std::string error;
  // A game that cannot be kept still starts, unkept; the player is told why.
  const bool kept = session_->StartAnotherGame(start, credits, error);
  session_->Reset(surface_);
  sinceTick_.restart();
  ShowPauseBanner();
  ShowOutOfCredits(session_->OutOfCredits());
  surface_->update();
  const std::string message = kept ? session_->Notice() : error;
  if (!message.empty()) QMessageBox::warning(this, windowTitle(), QString::fromStdString(message));
}

void MainWindow::TellNotice(const std::string& notice) {
  auto* box =
      new QMessageBox(QMessageBox::Information, windowTitle(), QString::fromStdString(notice), QMessageBox::Ok, this);
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->setAttribute(Qt::WA_ShowWithoutActivating);
  box->setModal(false);
  box->show();
}

StatisticsWindow* MainWindow::Statistics() const { return statistics_; }

void MainWindow::ShowStatistics() {
  if (!statistics_) {
    statistics_ = new StatisticsWindow(this, [this] { return session_->StatisticsPicture(language_); });
    statistics_->setAttribute(Qt::WA_DeleteOnClose);
    statistics_->setWindowTitle(apptext::Text(shell_fact::kStatisticsCaptionWords, language_));
  }
  statistics_->show();
  statistics_->raise();
  statistics_->activateWindow();
}

PixelView MainWindow::PictureNow() {
  const double fraction = static_cast<double>(sinceTick_.nsecsElapsed()) / 1e6 / session_->TickPeriodMs();
  return session_->PictureToShow(fraction);
}

void MainWindow::PacePictures() {
  const QScreen* shown = screen();
  const qreal hertz = shown && shown->refreshRate() >= 20 ? shown->refreshRate() : 60;
  pictureClock_.start(std::max(1, static_cast<int>(std::lround(1000 / hertz))));
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
  // Alt counts alone only when released before any other key.
  altAlone_ = event->key() == Qt::Key_Alt;
  // The window's own keys never reach the game, nor so its record; held
  // down, they act once.
  const Qt::KeyboardModifiers modifiers = event->modifiers();
  const int virtualKey = VirtualKeyFor(event->key(), modifiers);
  if (const int command =
          ShellCommandForKey(virtualKey, modifiers & Qt::ControlModifier, modifiers & Qt::AltModifier)) {
    if (!event->isAutoRepeat()) RunCommand(command);
    event->accept();
    return;
  }
  if (event->key() == Qt::Key_F10 && ShowHiddenMenuBar()) {
    event->accept();
    return;
  }
  if (IsAboutAccelerator(event->key(), modifiers, event->text())) {
    RunCommand(cmd::kAbout);
    return;
  }
  if (IsSystemKey(event->key(), modifiers)) {
    QMainWindow::keyPressEvent(event);
    return;
  }
  // Every key-down, auto-repeats included; the game picks the keys it uses.
  if (virtualKey) session_->PlayerKeyDown(virtualKey);
  event->accept();
}

void MainWindow::keyReleaseEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Alt && altAlone_ && !event->isAutoRepeat() && ShowHiddenMenuBar()) {
    event->accept();
    return;
  }
  QMainWindow::keyReleaseEvent(event);
}

bool MainWindow::ShowHiddenMenuBar() {
  // On the full screen the menu bar comes back for F10 or Alt alone, the
  // menu bar's own keys.
  if (!isFullScreen() || menuBar()->isVisible()) return false;
  menuBar()->show();
  menuBar()->setFocus();
  return true;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  // Escape on the menu bar itself, no menu open, leaves it; on the full
  // screen the bar goes with it.
  if (watched == menuBar() && event->type() == QEvent::KeyPress && isFullScreen() &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape && !QApplication::activePopupWidget()) {
    menuBar()->hide();
    setFocus();
    return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange) FollowBackground();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  event->accept();
  QCoreApplication::exit(0);
}

bool MainWindow::event(QEvent* event) {
  const bool handled = QMainWindow::event(event);
  switch (event->type()) {
    case QEvent::Show:
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::WindowActivate:
    case QEvent::Expose:
      FitOuterSize();
      break;
    case QEvent::ScreenChangeInternal:
      PacePictures();
      break;
    default:
      break;
  }
  return handled;
}

void MainWindow::FitOuterSize() {
  // The 400 by 450 is the outer size, frame and caption included. The frame
  // is the window manager's and only known once it has taken the window;
  // without one there is no frame and the client area is the whole window.
  if (outerSizeFitted_ || !windowHandle() || isFullScreen()) return;
  const QMargins frame = windowHandle()->frameMargins();
  if (frame.isNull()) return;
  outerSizeFitted_ = true;
  resize(ClientSizeWithin(frame));
}
