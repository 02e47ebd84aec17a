#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>
#include <QtTest>
#include <functional>
#include <memory>
#include <utility>

#include "app/qt/canvas_surface.h"
#include "app/qt/main_window.h"
#include "app/qt/out_of_credits_bar.h"
#include "app/qt/statistics_window.h"
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

// Runs `whileOpen` once a modal box is up, then closes it with `closeKey`.
// Returns whether a box came up at all.
bool WithAboutBoxOpen(
    const std::function<void()>& open, const std::function<void()>& whileOpen = [] {},
    Qt::Key closeKey = Qt::Key_Escape) {
  bool seen = false;
  QTimer poll;  // a timer may fire while a key is still being delivered, before the box is up
  QObject::connect(&poll, &QTimer::timeout, [&] {
    QWidget* box = QApplication::activeModalWidget();
    if (!box || seen) return;
    seen = true;
    whileOpen();
    QTest::keyClick(box, closeKey);
  });
  poll.start(10);
  // A box that never closes fails the test instead of hanging it.
  QTimer::singleShot(5000, &poll, [] {
    if (QWidget* stuck = QApplication::activeModalWidget()) stuck->close();
  });
  open();
  return seen;
}

ShellSettings InLanguage(Language language) {
  ShellSettings settings;
  settings.language = language;
  return settings;
}

// The menu bar's titles and the File menu's items, as shown.
QStringList MenuTexts(const MainWindow& window) {
  QStringList texts;
  const QList<QAction*> menus = window.menuBar()->actions();
  for (const QAction* menu : menus) texts << menu->text();
  for (const QAction* item : menus[0]->menu()->actions())
    if (!item->isSeparator()) texts << item->text();
  return texts;
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<MainWindow> window;
  QTemporaryDir home;  // the kept games and the settings, of this run alone

 private slots:
  void initTestCase() {
    QVERIFY(home.isValid());
    qputenv("XDG_STATE_HOME", home.filePath("state").toUtf8());
    qputenv("XDG_CONFIG_HOME", home.filePath("config").toUtf8());
  }

  void init() {
    ResetProgramState();
    window = std::make_unique<MainWindow>(nullptr, InLanguage(Language::Japanese));
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
  }
  void cleanup() { window.reset(); }

  void titleAndMenusAreSpelledExactly() {
    QCOMPARE(window->windowTitle(), QString::fromUtf8("Marobel \xEF\xBD\x9EOrvik\xEF\xBD\x9E"));
    QCOMPARE(MenuTexts(*window),
             (QStringList{"ﾌｧｲﾙ(&F)", "ﾋﾞｭｰ(&V)", "ﾍﾙﾌﾟ(&H)", "新しいｹﾞｰﾑ(&N)\tCtrl+N", "前回のｹﾞｰﾑを続ける(&C)",
                          "ﾌﾘｰﾌﾟﾚｲ(&R) ...", "一時停止(&P)\tP", "ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)"}));
    QCOMPARE(window->SmoothAction()->text(), QStringLiteral("ｽﾑｰｽﾞﾓｰｼｮﾝ(&M)"));
    QCOMPARE(window->AboutAction()->text(), QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報(&A) ..."));
    // The item shows the setting and switches it.
    QVERIFY(window->SmoothAction()->isCheckable());
    const bool was = window->SmoothAction()->isChecked();
    window->SmoothAction()->trigger();
    QCOMPARE(window->SmoothAction()->isChecked(), !was);
    // Another language rebuilds the menus at once, from one of their items.
    window->Action(shell_command::kEnglish)->trigger();
    QCOMPARE(MenuTexts(*window).mid(0, 4), (QStringList{"&File", "&View", "&Help", "&New game\tCtrl+N"}));
    QVERIFY(window->Action(shell_command::kEnglish)->isChecked());
    QVERIFY(!window->Action(shell_command::kJapanese)->isChecked());
  }

  // Without a language of the player's own, the system's locale decides.
  void menusSpeakTheSystemsLanguage_data() {
    QTest::addColumn<QByteArray>("lang");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("newGame");
    QTest::newRow("English") << QByteArray("en_US.UTF-8") << "&File"
                             << "&New game\tCtrl+N";
    QTest::newRow("Japanese") << QByteArray("ja_JP.UTF-8") << "ﾌｧｲﾙ(&F)"
                              << "新しいｹﾞｰﾑ(&N)\tCtrl+N";
  }
  void menusSpeakTheSystemsLanguage() {
    QFETCH(QByteArray, lang);
    QFETCH(QString, file);
    QFETCH(QString, newGame);
    qunsetenv("LC_ALL");
    qunsetenv("LC_MESSAGES");
    qputenv("LANG", lang);
    MainWindow system;
    const QStringList texts = MenuTexts(system);
    QCOMPARE(texts[0], file);
    QCOMPARE(texts[3], newGame);
  }

  // P pauses: no tick runs and no key reaches the game; held down it acts
  // once; P again and the game goes on.
  void pauseKeyHoldsTheGameAndItsKeys() {
    ResetProgramState();
    game.credits = 5;
    PressKey(*window, Qt::Key_P, {}, QStringLiteral("p"));
    QVERIFY(window->State().paused);
    QCOMPARE(window->Surface()->Banner(), QStringLiteral("一時停止中"));
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_P, Qt::NoModifier, QStringLiteral("p"), true);
    QApplication::sendEvent(window.get(), &repeat);
    QVERIFY(window->State().paused);
    const long long ticks = window->TicksRun();
    PressKey(*window, Qt::Key_Right);
    QTest::qWait(600);
    QCOMPARE(window->TicksRun(), ticks);
    QCOMPARE(CreditsAndCoins(), std::make_pair(5, 0));
    PressKey(*window, Qt::Key_Pause);
    QVERIFY(!window->State().paused);
    QVERIFY(window->Surface()->Banner().isEmpty());
    QTRY_VERIFY(window->TicksRun() > ticks);
    PressKey(*window, Qt::Key_Right);
    QCOMPARE(game.credits, 4);
  }

  // Every change is saved at once, and read back as it was set.
  void settingsAreSavedOnEveryChange() {
    const std::string folder = home.filePath("saved").toStdString();
    window->SaveSettingsIn(folder);
    PressKey(*window, Qt::Key_M, {}, QStringLiteral("m"));
    window->RunCommand(shell_command::Volume(2));
    window->RunCommand(shell_command::kBackgroundPause);
    std::string problem;
    const ShellSettings saved = LoadShellSettings(folder, ShellSettings{}, problem);
    QVERIFY2(problem.empty(), problem.c_str());
    QCOMPARE(saved, window->Settings());
    QVERIFY(!saved.sound && saved.volume == 2 && saved.backgroundPause);
    QVERIFY(!window->Action(shell_command::kSound)->isChecked());
    QVERIFY(window->Action(shell_command::Volume(2))->isChecked());
    QCOMPARE(saved.Gain(), 0.0f);
  }

  // A new game asks first; the game before it can then be continued.
  void newGameAsksAndKeepsThePreviousGame() {
    QTRY_VERIFY(window->TicksRun() > 0);
    QVERIFY(!window->Action(shell_command::kContinue)->isEnabled());
    QVERIFY(WithAboutBoxOpen([&] { PressKey(*window, Qt::Key_N, Qt::ControlModifier); }));
    QVERIFY2(window->TicksRun() > 0, "cancelled, the game goes on");
    // This window's first game was never kept (the program's always is);
    // the new one is, and once it has had a press it becomes the previous
    // game for the next.
    for (int round = 0; round < 2; ++round) {
      QTRY_VERIFY(window->TicksRun() > 0);
      game.credits = 5;
      PressKey(*window, Qt::Key_Right);
      QVERIFY(WithAboutBoxOpen([&] { window->Action(shell_command::kNewGame)->trigger(); }, [] {}, Qt::Key_Return));
      QVERIFY(window->TicksRun() <= 1);
    }
    QVERIFY(window->Action(shell_command::kContinue)->isEnabled());
  }

  // Out of credits, a notice below the game offers the ways on; it goes
  // once a coin pays again.
  void outOfCreditsNoticeComesAndGoes() {
    GameSession session;
    window = std::make_unique<MainWindow>(&session, InLanguage(Language::English));
    OutOfCreditsBar* notice = window->OutOfCreditsNotice();
    const int height = window->height();
    for (int tries = 0; tries < 5 && !session.OutOfCredits(); ++tries) {
      game.credits = 0;
      session.RunUntil(session.TicksRun() + 160, window->Surface());
    }
    QVERIFY(session.OutOfCredits());
    QTRY_VERIFY(!notice->isHidden());
    QCOMPARE(notice->NewGameButton()->text(), QStringLiteral("New game"));
    QCOMPARE(window->height(), height + notice->sizeHint().height());
    game.credits = 3;
    QTRY_VERIFY(notice->isHidden());
    QCOMPARE(window->height(), height);
    window.reset();
  }

  void helpWindowsListTheKeysAndShowTheStatistics() {
    int rows = 0;
    QVERIFY(WithAboutBoxOpen([&] { window->RunCommand(shell_command::kKeys); },
                             [&] {
                               auto* table = QApplication::activeModalWidget()->findChild<QTableWidget*>();
                               rows = table ? table->rowCount() : 0;
                             }));
    QCOMPARE(rows, static_cast<int>(KeysHelp(Language::Japanese).size()));
    // The statistics stay open beside the game, which goes on.
    window->RunCommand(shell_command::kStatistics);
    QVERIFY(window->Statistics() && window->Statistics()->isVisible());
    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(window->Statistics()->windowTitle(), QStringLiteral("統計"));
    const long long ticks = window->TicksRun();
    QTRY_VERIFY(window->TicksRun() > ticks + 1);
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
