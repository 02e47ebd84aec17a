#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QWindow>
#include <QtTest>
#include <functional>
#include <memory>
#include <utility>

#include "app/qt/main_window.h"
#include "app/qt/canvas_surface.h"
#include "game/state.h"

namespace {

// Credits left and coins in flight.
std::pair<int, int> CreditsAndCoins() {
  int airborne = 0;
  for (int i = 0; i < kCoinSlots; ++i) airborne += game.coinState[i] == CoinState::Airborne;
  return {game.credits, airborne};
}

// Through the window system, as a keyboard delivers it, so that modal
// blocking applies just as it does for a player.
void PressKey(QWidget& window, int key, Qt::KeyboardModifiers modifiers = {}, const QString& text = {}) {
  for (QTest::KeyAction action : {QTest::Press, QTest::Release})
    QTest::sendKeyEvent(action, window.windowHandle(), Qt::Key(key), text, modifiers);
}

// Runs `whileOpen` once a modal box is up, then closes it with Escape.
// Returns whether a box came up at all.
bool WithAboutBoxOpen(
    const std::function<void()>& open, const std::function<void()>& whileOpen = [] {}) {
  bool seen = false;
  QTimer poll;  // a timer may fire while a key is still being delivered, before the box is up
  QObject::connect(&poll, &QTimer::timeout, [&] {
    QWidget* box = QApplication::activeModalWidget();
    if (!box || seen) return;
    seen = true;
    whileOpen();
    QTest::keyClick(box, Qt::Key_Escape);
  });
  poll.start(10);
  // A box that never closes fails the test instead of hanging it.
  QTimer::singleShot(5000, &poll, [] {
    if (QWidget* stuck = QApplication::activeModalWidget()) stuck->close();
  });
  open();
  return seen;
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<MainWindow> window;

 private slots:
  void init() {
    ResetProgramState();
    window = std::make_unique<MainWindow>();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
  }
  void cleanup() { window.reset(); }

  void titleAndMenusAreSpelledExactly() {
    QCOMPARE(window->windowTitle(), QString::fromUtf8("Marobel \xEF\xBD\x9EOrvik\xEF\xBD\x9E"));
    const QList<QAction*> menus = window->menuBar()->actions();
    QCOMPARE(menus.size(), 3);
    QCOMPARE(menus[0]->text(), QStringLiteral("ﾌｧｲﾙ(&F)"));
    QCOMPARE(menus[0]->menu()->actions(), QList<QAction*>{window->ExitAction()});
    QCOMPARE(window->ExitAction()->text(), QStringLiteral("ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)"));
    QCOMPARE(menus[1]->menu()->actions(), QList<QAction*>{window->SmoothAction()});
    QCOMPARE(window->SmoothAction()->text(), QStringLiteral("Smooth motion(&M)"));
    // The item shows the setting and switches it.
    QVERIFY(window->SmoothAction()->isCheckable());
    const bool was = window->SmoothAction()->isChecked();
    window->SmoothAction()->trigger();
    QCOMPARE(window->SmoothAction()->isChecked(), !was);
    QCOMPARE(menus[2]->text(), QStringLiteral("ﾍﾙﾌﾟ(&H)"));
    QCOMPARE(menus[2]->menu()->actions(), QList<QAction*>{window->AboutAction()});
    QCOMPARE(window->AboutAction()->text(), QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報(&A) ..."));
  }

  void arrowKeysSpendCreditsOnCoins() {
    ResetProgramState();  // the seeded coins pay out credits as it ticks
    game.credits = 3;
    PressKey(*window, Qt::Key_Right);
    QCOMPARE(CreditsAndCoins(), std::make_pair(2, 1));
    PressKey(*window, Qt::Key_Left, Qt::KeypadModifier);  // the keypad's, num lock off
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(window.get(), &repeat);  // auto-repeats count like presses
    QCOMPARE(CreditsAndCoins(), std::make_pair(0, 3));

    // Without credits, and for other keys, nothing happens.
    PressKey(*window, Qt::Key_Right);
    game.credits = 5;
    PressKey(*window, Qt::Key_Up);
    PressKey(*window, Qt::Key_Space, {}, QStringLiteral(" "));
    PressKey(*window, Qt::Key_Left, Qt::AltModifier);  // a system key, not a key-down
    QCOMPARE(CreditsAndCoins(), std::make_pair(5, 3));
  }

  // F11 and Alt+Enter are the window's: on the full screen the menu bar
  // hides until F10 or Alt alone, and the game never sees them.
  void windowKeysToggleTheFullScreen() {
    ResetProgramState();
    game.credits = 5;
    PressKey(*window, Qt::Key_F11);
    QTRY_VERIFY(window->windowState() & Qt::WindowFullScreen);
    QVERIFY(!window->menuBar()->isVisible());
    // Alt+Enter as a keyboard sends it: Alt is not alone, so no menu bar.
    QTest::sendKeyEvent(QTest::Press, window->windowHandle(), Qt::Key_Alt, QString(), Qt::AltModifier);
    PressKey(*window, Qt::Key_Return, Qt::AltModifier);
    QTest::sendKeyEvent(QTest::Release, window->windowHandle(), Qt::Key_Alt, QString(), Qt::NoModifier);
    QTRY_VERIFY(!(window->windowState() & Qt::WindowFullScreen));
    PressKey(*window, Qt::Key_F11);
    QTRY_VERIFY(window->windowState() & Qt::WindowFullScreen);
    QVERIFY(!window->menuBar()->isVisible());
    PressKey(*window, Qt::Key_Alt, Qt::AltModifier);
    QVERIFY(window->menuBar()->isVisible());
    QTest::keyClick(window->menuBar(), Qt::Key_Escape);
    QVERIFY(!window->menuBar()->isVisible());
    PressKey(*window, Qt::Key_F10);
    QVERIFY(window->menuBar()->isVisible());
    PressKey(*window, Qt::Key_Return, Qt::AltModifier);
    QTRY_VERIFY(!(window->windowState() & Qt::WindowFullScreen));
    QVERIFY(window->menuBar()->isVisible());
    PressKey(*window, Qt::Key_Enter, Qt::AltModifier | Qt::KeypadModifier);
    QTRY_VERIFY(window->windowState() & Qt::WindowFullScreen);
    PressKey(*window, Qt::Key_F11);
    QTRY_VERIFY(!(window->windowState() & Qt::WindowFullScreen));
    QCOMPARE(CreditsAndCoins(), std::make_pair(5, 0));
    QCOMPARE(window->Surface()->Scale(), window->GameScale());
  }

  void menuItemAndAcceleratorsOpenTheAboutBox() {
    struct Case {
      const char* name;
      int key;
      Qt::KeyboardModifiers modifiers;
      const char* text;
      bool opens;
    };
    const Qt::KeyboardModifiers alt = Qt::AltModifier, altShift = Qt::AltModifier | Qt::ShiftModifier;
    for (const Case& c :
         {Case{"menu item", 0, {}, "", true}, Case{"Alt+?", Qt::Key_Question, altShift, "?", true},
          Case{"Alt+/", Qt::Key_Slash, alt, "/", true}, Case{"Alt+? without text", Qt::Key_Question, alt, "", true},
          Case{"? on another key", Qt::Key_Comma, altShift, "?", true},
          Case{"/ key giving -", Qt::Key_Slash, alt, "-", false},
          Case{"plain ?", Qt::Key_Question, Qt::ShiftModifier, "?", false},
          Case{"Ctrl+/", Qt::Key_Slash, Qt::ControlModifier, "/", false}}) {
      const bool opened = WithAboutBoxOpen([&] {
        if (c.key)
          PressKey(*window, c.key, c.modifiers, QString::fromLatin1(c.text));
        else
          window->AboutAction()->trigger();
      });
      QVERIFY2(opened == c.opens && !QApplication::activeModalWidget(), c.name);
    }
  }

  void gameTicksOnBehindTheAboutBoxButKeysDoNotReachIt() {
    ResetProgramState();  // the seeded coins pay out credits as it ticks
    game.credits = 4;
    const long long ticksBefore = window->TicksRun();
    QVERIFY(WithAboutBoxOpen([&] { window->AboutAction()->trigger(); },
                             [&] {
                               PressKey(*window, Qt::Key_Right);
                               PressKey(*window, Qt::Key_Left);
                               QTest::qWait(650);
                             }));
    QVERIFY2(window->TicksRun() >= ticksBefore + 2, "the game keeps ticking behind the box");
    QCOMPARE(CreditsAndCoins(), std::make_pair(4, 0));
    PressKey(*window, Qt::Key_Right);  // once closed, keys reach the game again
    QCOMPARE(game.credits, 3);
  }

  void exitEndsTheLoopWithStatusZero_data() {
    QTest::addColumn<bool>("fromMenu");
    QTest::newRow("menu item") << true;
    QTest::newRow("close box") << false;
  }

  void exitEndsTheLoopWithStatusZero() {
    QFETCH(bool, fromMenu);
    QTimer::singleShot(0, window.get(), [&] {
      if (fromMenu)
        window->ExitAction()->trigger();
      else
        window->windowHandle()->close();  // the window system's close request
    });
    QTimer::singleShot(5000, window.get(), [] { QCoreApplication::exit(99); });
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(!window->isVisible());
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
