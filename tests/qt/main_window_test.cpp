#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QWindow>
#include <QtTest>
#include <functional>

#include "app/qt/about_box.h"
#include "app/qt/canvas_surface.h"
#include "app/qt/main_window.h"
#include "game/state.h"
#include "game/tick.h"

namespace {

int AirborneCoins() {
  int count = 0;
  for (int i = 0; i < kCoinSlots; ++i) count += game.coinState[i] == CoinState::Airborne;
  return count;
}

// Key-down through the window system, as a keyboard would deliver it, so
// that modal blocking applies just as it does for a player.
void PressKey(QWidget& window, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
              const QString& text = QString()) {
  QTest::sendKeyEvent(QTest::Press, window.windowHandle(), static_cast<Qt::Key>(key), text, modifiers);
  QTest::sendKeyEvent(QTest::Release, window.windowHandle(), static_cast<Qt::Key>(key), text, modifiers);
}

// Runs `whileOpen` once the About box is up, then closes it with Escape.
// Returns whether the box came up at all.
bool WithAboutBoxOpen(const std::function<void()>& open, const std::function<void(AboutBox&)>& whileOpen) {
  bool seen = false;
  QTimer poll;
  poll.setInterval(10);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto* box = qobject_cast<AboutBox*>(QApplication::activeModalWidget());
    if (!box || seen) return;
    seen = true;
    poll.stop();
    whileOpen(*box);
    QTest::keyClick(box, Qt::Key_Escape);
  });
  poll.start();
  // A watchdog, so a box that never closes fails the test instead of hanging it.
  QTimer::singleShot(5000, [] {
    if (QWidget* stuck = QApplication::activeModalWidget()) stuck->close();
  });
  open();
  return seen;
}

// The seeded coins pay out credits within the first ticks; key tests want
// a cabinet where only their own presses change the credits.
void EmptyCabinet() { ResetProgramState(); }

QMainWindow* Shown(MainWindow& window) {
  window.show();
  if (!QTest::qWaitForWindowExposed(&window)) return nullptr;
  return &window;
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { ResetProgramState(); }

  void titleAndMenusAreSpelledExactly() {
    MainWindow window;
    QCOMPARE(window.windowTitle(), QString::fromUtf8("Marobel \xEF\xBD\x9EOrvik\xEF\xBD\x9E"));
    const QList<QAction*> menus = window.menuBar()->actions();
    QCOMPARE(menus.size(), 2);
    QCOMPARE(menus[0]->text(), QStringLiteral("ﾌｧｲﾙ(&F)"));
    QCOMPARE(menus[1]->text(), QStringLiteral("ﾍﾙﾌﾟ(&H)"));
    const QList<QAction*> fileItems = menus[0]->menu()->actions();
    const QList<QAction*> helpItems = menus[1]->menu()->actions();
    QCOMPARE(fileItems.size(), 1);
    QCOMPARE(helpItems.size(), 1);
    QCOMPARE(fileItems[0]->text(), QStringLiteral("ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)"));
    QCOMPARE(helpItems[0]->text(), QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報(&A) ..."));
    QCOMPARE(fileItems[0], window.ExitAction());
    QCOMPARE(helpItems[0], window.AboutAction());
    QVERIFY(!window.menuBar()->isNativeMenuBar());
  }

  void creationAttachesCanvasAndStartsTickTimer() {
    MainWindow window;
    QVERIFY(mainCanvas.IsAttached());
    QCOMPARE(mainCanvas.Width(), 1200);
    QCOMPARE(mainCanvas.Height(), 800);
    QVERIFY(window.Surface()->TimerRunning(1));
    QCOMPARE(window.size(), QSize(400, 450));  // no window manager, so no frame to take off
  }

  void canvasIsShownOneToOneAtTopLeftAndBackgroundBeyond() {
    MainWindow window;
    QVERIFY(Shown(window));
    // A paint before any tick shows the fresh, black canvas.
    QCOMPARE(window.TicksRun(), 0);
    QImage before = window.Surface()->grab().toImage();
    QCOMPARE(before.pixel(150, 200) & 0xFFFFFFu, 0u);

    QTRY_VERIFY_WITH_TIMEOUT(window.TicksRun() >= 1, 2000);
    window.resize(1300, 900);  // wider and taller than the canvas
    QTest::qWait(50);
    const QImage shown = window.Surface()->grab().toImage();
    QVERIFY(shown.width() > 1200 && shown.height() > 800);
    bool sawCabinet = false;
    for (const QPoint at : {QPoint(0, 0), QPoint(150, 200), QPoint(210, 300), QPoint(1199, 799), QPoint(7, 55)}) {
      const QRgb canvas = mainCanvas.PixelAt(at.x(), at.y());
      QCOMPARE(shown.pixel(at) & 0xFFFFFFu, canvas);
      sawCabinet = sawCabinet || canvas != 0;
    }
    QVERIFY2(sawCabinet, "a ticked frame draws the cabinet");
    const QRgb background = window.palette().color(QPalette::Window).rgb();
    QCOMPARE(shown.pixel(1250, 100), background);
    QCOMPARE(shown.pixel(100, 850), background);
  }

  void eachTimerExpiryRunsOneTickAndRepaints() {
    MainWindow window;
    QVERIFY(Shown(window));
    QTRY_VERIFY_WITH_TIMEOUT(window.TicksRun() >= 3, 3000);
    const int stroke = game.pusherStroke;
    const int gate = game.gateOffset;
    const long long ticks = window.TicksRun();
    QTRY_VERIFY_WITH_TIMEOUT(window.TicksRun() > ticks, 1000);
    QVERIFY(game.pusherStroke != stroke || game.gateOffset != gate);
  }

  void arrowKeysSpendCreditsOnCoins() {
    MainWindow window;
    QVERIFY(Shown(window));
    EmptyCabinet();
    game.credits = 3;
    PressKey(window, Qt::Key_Right);
    QCOMPARE(game.credits, 2);
    QCOMPARE(AirborneCoins(), 1);
    PressKey(window, Qt::Key_Left);
    QCOMPARE(game.credits, 1);
    QCOMPARE(AirborneCoins(), 2);

    // Auto-repeated key-downs count like presses.
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(&window, &repeat);
    QCOMPARE(game.credits, 0);
    QCOMPARE(AirborneCoins(), 3);

    // Without credits, and for other keys, nothing happens.
    PressKey(window, Qt::Key_Right);
    game.credits = 5;
    PressKey(window, Qt::Key_Up);
    PressKey(window, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    PressKey(window, Qt::Key_Left, Qt::AltModifier);  // a system key, not a key-down
    QCOMPARE(game.credits, 5);
    QCOMPARE(AirborneCoins(), 3);
  }

  void mouseDoesNothing() {
    MainWindow window;
    QVERIFY(Shown(window));
    EmptyCabinet();
    game.credits = 5;
    QTest::mouseClick(window.Surface(), Qt::LeftButton, Qt::NoModifier, QPoint(160, 40));
    QTest::mouseClick(window.Surface(), Qt::RightButton, Qt::NoModifier, QPoint(240, 40));
    QTest::mouseMove(window.Surface(), QPoint(200, 200));
    QCOMPARE(game.credits, 5);
    QCOMPARE(AirborneCoins(), 0);
    QVERIFY(!QApplication::activeModalWidget());
  }

  void menuItemAndBothAcceleratorsOpenTheAboutBox_data() {
    QTest::addColumn<int>("how");
    QTest::newRow("menu item") << 0;
    QTest::newRow("Alt+?") << 1;
    QTest::newRow("Alt+/") << 2;
    QTest::newRow("Alt+? from a layout that sends no text") << 3;
  }

  void menuItemAndBothAcceleratorsOpenTheAboutBox() {
    QFETCH(int, how);
    MainWindow window;
    QVERIFY(Shown(window));
    const bool opened = WithAboutBoxOpen(
        [&] {
          switch (how) {
            case 0: window.AboutAction()->trigger(); break;
            case 1: PressKey(window, Qt::Key_Question, Qt::AltModifier | Qt::ShiftModifier, QStringLiteral("?")); break;
            case 2: PressKey(window, Qt::Key_Slash, Qt::AltModifier, QStringLiteral("/")); break;
            case 3: PressKey(window, Qt::Key_Question, Qt::AltModifier); break;
          }
        },
        [&](AboutBox& box) { QCOMPARE(box.parentWidget(), &window); });
    QVERIFY(opened);
    QVERIFY(!QApplication::activeModalWidget());
  }

  void plainQuestionMarkOpensNothing() {
    MainWindow window;
    QVERIFY(Shown(window));
    bool opened = false;
    QTimer::singleShot(0, [&] {
      opened = QApplication::activeModalWidget() != nullptr;
      if (QWidget* box = QApplication::activeModalWidget()) box->close();
    });
    PressKey(window, Qt::Key_Question, Qt::ShiftModifier, QStringLiteral("?"));
    PressKey(window, Qt::Key_Slash, Qt::ControlModifier, QStringLiteral("/"));
    QTest::qWait(20);
    QVERIFY(!opened);
  }

  void gameTicksOnBehindTheAboutBoxButKeysDoNotReachIt() {
    MainWindow window;
    QVERIFY(Shown(window));
    EmptyCabinet();
    game.credits = 4;
    long long ticksWhenOpened = 0;
    long long ticksWhenClosing = 0;
    const bool opened = WithAboutBoxOpen([&] { window.AboutAction()->trigger(); },
                                         [&](AboutBox&) {
                                           ticksWhenOpened = window.TicksRun();
                                           PressKey(window, Qt::Key_Right);
                                           PressKey(window, Qt::Key_Left);
                                           QTest::qWait(650);
                                           ticksWhenClosing = window.TicksRun();
                                         });
    QVERIFY(opened);
    QVERIFY2(ticksWhenClosing >= ticksWhenOpened + 2, "the game keeps ticking behind the box");
    QCOMPARE(game.credits, 4);
    QCOMPARE(AirborneCoins(), 0);

    // Once the box is closed the keys reach the game again.
    PressKey(window, Qt::Key_Right);
    QCOMPARE(game.credits, 3);
  }

  void unknownCommandIsNotTaken() {
    MainWindow window;
    QVERIFY(!window.RunCommand(103));
    QVERIFY(!window.RunCommand(0));
    QVERIFY(!QApplication::activeModalWidget());
  }

  void exitItemEndsTheLoopWithStatusZero() {
    MainWindow window;
    QVERIFY(Shown(window));
    QTimer::singleShot(0, window.ExitAction(), &QAction::trigger);
    QTimer::singleShot(5000, [] { QCoreApplication::exit(99); });
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(!window.isVisible());
  }

  void closeBoxEndsTheLoopWithStatusZero() {
    MainWindow window;
    QVERIFY(Shown(window));
    // The window system's close request, as the close box sends it.
    QTimer::singleShot(0, [&] { window.windowHandle()->close(); });
    QTimer::singleShot(5000, [] { QCoreApplication::exit(99); });
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(!window.isVisible());
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
