#include "app/qt/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QWindow>
#include <cmath>

#include "app/qt/about_box.h"
#include "app/qt/app_icon.h"
#include "app/qt/app_texts.h"
#include "app/qt/canvas_surface.h"
#include "app/qt/gamepad_input.h"
#include "app/qt/virtual_key.h"

MainWindow::MainWindow(GameSession* session, QWidget* parent)
    : QMainWindow(parent),
      ownSession_(session ? nullptr : std::make_unique<GameSession>()),
      session_(session ? session : ownSession_.get()) {
  setWindowTitle(apptext::WindowTitle());
  setWindowIcon(AppIcon());
  BuildMenus();

  surface_ = new CanvasSurface([this] { return PictureNow(); }, this);
  setCentralWidget(surface_);
  connect(surface_, &CanvasSurface::timerFired, this, [this](int) {
    sinceTick_.restart();
    session_->Tick(surface_);
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

void MainWindow::UseScale(int scale) {
  scale_ = scale;
  surface_->ShowWindowed(scale);
  // Until the frame is known: the menu bar is the only decoration.
  const qreal ratio = devicePixelRatioF();
  const int menu = static_cast<int>(menuBar()->sizeHint().height() * ratio);
  const PixelSize outer = ScaledWindowSize({0, menu}, scale);
  resize(static_cast<int>(outer.width / ratio), static_cast<int>(outer.height / ratio));
  outerSizeFitted_ = false;
}

void MainWindow::ToggleFullscreen() {
  if (isFullScreen()) {
    showNormal();
    menuBar()->show();
    surface_->ShowWindowed(scale_);
  } else {
    menuBar()->hide();
    surface_->ShowOnScreen();
    showFullScreen();
  }
}

void MainWindow::BuildMenus() {
  // Inside the window, as the outer size counts the menu bar.
  menuBar()->setNativeMenuBar(false);

  QMenu* file = menuBar()->addMenu(apptext::FileMenu());
  exitAction_ = file->addAction(apptext::ExitItem());
  connect(exitAction_, &QAction::triggered, this, [this] { RunCommand(kCmdExit); });

  QMenu* view = menuBar()->addMenu(apptext::ViewMenu());
  smoothAction_ = view->addAction(apptext::SmoothItem());
  smoothAction_->setCheckable(true);
  smoothAction_->setChecked(session_->SmoothMotion());
  connect(smoothAction_, &QAction::triggered, this, [this] { RunCommand(kCmdSmooth); });

  QMenu* help = menuBar()->addMenu(apptext::HelpMenu());
  aboutAction_ = help->addAction(apptext::AboutItem());
  connect(aboutAction_, &QAction::triggered, this, [this] { RunCommand(kCmdAbout); });
}

bool MainWindow::RunCommand(int command) {
  switch (command) {
    case kCmdAbout: {
      // Modal: its loop goes on delivering this window's timer and paint
      // events, so the game runs on behind it, while keys stay with the box.
      AboutBox box(this, scale_);
      box.PlaceOver(surface_);
      box.exec();
      return true;
    }
    case kCmdExit:
      close();
      return true;
    case kCmdSmooth:
      session_->SetSmoothMotion(!session_->SmoothMotion());
      smoothAction_->setChecked(session_->SmoothMotion());
      surface_->update();
      return true;
    case shell_command::kPause:
      session_->SetPaused(GameSession::PauseReason::Player, !session_->PausedBy(GameSession::PauseReason::Player));
      return true;
    default:
      return false;
  }
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
  // The window's own keys never reach the game, nor so its record.
  const bool altEnter =
      (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && (event->modifiers() & Qt::AltModifier);
  if (event->key() == Qt::Key_F11 || altEnter) {
    if (!event->isAutoRepeat()) ToggleFullscreen();
    event->accept();
    return;
  }
  // Alt counts alone only when released before any other key.
  altAlone_ = event->key() == Qt::Key_Alt;
  if (event->key() == Qt::Key_F10 && ShowHiddenMenuBar()) {
    event->accept();
    return;
  }
  if (IsAboutAccelerator(event->key(), event->modifiers(), event->text())) {
    RunCommand(kCmdAbout);
    return;
  }
  if (IsSystemKey(event->key(), event->modifiers())) {
    QMainWindow::keyPressEvent(event);
    return;
  }
  // Every key-down, auto-repeats included; the game picks the keys it uses.
  if (const int virtualKey = VirtualKeyFor(event->key(), event->modifiers())) session_->PlayerKeyDown(virtualKey);
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
  const qreal ratio = devicePixelRatioF();
  const int across = frame.left() + frame.right();
  const int down = frame.top() + frame.bottom() + menuBar()->sizeHint().height();
  const PixelSize outer = ScaledWindowSize({static_cast<int>(across * ratio), static_cast<int>(down * ratio)}, scale_);
  resize(static_cast<int>(outer.width / ratio) - across,
         static_cast<int>(outer.height / ratio) - frame.top() - frame.bottom());
}
