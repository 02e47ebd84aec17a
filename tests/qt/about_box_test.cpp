#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QWindow>
#include <QtTest>

#include "app/qt/about_box.h"
#include "app/qt/canvas_surface.h"
#include "app/qt/dialog_units.h"

class AboutBoxTest : public QObject {
  Q_OBJECT

 private slots:
  void showsCaptionTextIconAndDefaultOk() {
    AboutBox box(nullptr);
    QCOMPARE(box.windowTitle(), QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
    QCOMPARE(box.TextLabel()->text(), QString::fromUtf8("Marobel \xEF\xBD\x9EOrvik\xEF\xBD\x9E Version 1.0"));
    QCOMPARE(box.OkButton()->text(), QStringLiteral("OK"));
    QVERIFY(box.OkButton()->isDefault());
    QVERIFY(!box.IconLabel()->pixmap().isNull());
  }

  // Other commands and keys are not the box's and leave it open.
  void endsWithOneOrTwo() {
    enum How { kOkButton, kCloseBox, kKey };
    struct Case {
      const char* name;
      How how;
      Qt::Key key;
      Qt::KeyboardModifier modifier;
      int result;
    };
    for (const Case& c : {Case{"OK button", kOkButton, {}, {}, 1}, Case{"Enter", kKey, Qt::Key_Return, {}, 1},
                          Case{"keypad Enter", kKey, Qt::Key_Enter, Qt::KeypadModifier, 1},
                          Case{"Escape", kKey, Qt::Key_Escape, {}, 2}, Case{"close box", kCloseBox, {}, {}, 2}}) {
      AboutBox box(nullptr);
      QTimer::singleShot(0, &box, [&] {
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QVERIFY(!box.RunCommand(104));
        QTest::keyClick(box.windowHandle(), Qt::Key_Right);
        QVERIFY(box.isVisible());
        if (c.how == kOkButton)
          QTest::mouseClick(box.OkButton(), Qt::LeftButton);
        else if (c.how == kCloseBox)
          box.windowHandle()->close();
        else
          QTest::keyClick(box.windowHandle(), c.key, c.modifier);
      });
      QTimer::singleShot(5000, &box, [&] { box.done(-1); });  // never hang the run
      QVERIFY2(box.exec() == c.result, c.name);
    }
  }

  void bandIsAFreshCanvasClearedByItsTimer() {
    // Scribbled on behind the box's back, the band is black again at its
    // timer's next expiry.
    auto scribble = [](const AboutBox& box, std::uint32_t colour) {
      const_cast<std::uint32_t*>(box.BandPixels().pixels)[42] = colour;
    };
    {
      AboutBox first(nullptr);
      scribble(first, 0x00FF00FFu);
    }
    AboutBox box(nullptr);
    QCOMPARE(QSize(box.BandPixels().width, box.BandPixels().height), QSize(500, 100));
    QCOMPARE(box.BandPixels().pixels[42], 0u);
    scribble(box, 0x00123456u);
    QTRY_COMPARE_WITH_TIMEOUT(box.BandPixels().pixels[42], 0u, 1000);
  }

  // The box grows with the game's pixels: its band, its icon, its layout
  // (through the font, to within the font's own rounding); its canvas stays
  // the same 500 by 100.
  void growsWithTheGamesScale() {
    AboutBox plain(nullptr);
    AboutBox doubled(nullptr, 2);
    QCOMPARE(QSize(doubled.BandPixels().width, doubled.BandPixels().height), QSize(500, 100));
    QCOMPARE(doubled.Band()->size(), plain.Band()->size() * 2);
    QCOMPARE(doubled.Band()->Scale(), 2);
    QCOMPARE(doubled.IconLabel()->size(), plain.IconLabel()->size() * 2);
    const QSize expected = plain.size() * 2;
    QVERIFY2(qAbs(doubled.width() - expected.width()) <= expected.width() / 10 &&
                 qAbs(doubled.height() - expected.height()) <= expected.height() / 10,
             qPrintable(QString("%1x%2 for %3x%4")
                            .arg(doubled.width())
                            .arg(doubled.height())
                            .arg(plain.width())
                            .arg(plain.height())));
  }

  // Beside the window it opens at its place from the client area's corner;
  // over a full screen, that corner is far from the game: it opens in the
  // middle.
  void opensAtItsPlaceOrInTheMiddleOfAFullScreen() {
    QWidget screen;
    screen.setGeometry(0, 0, 1600, 1200);
    AboutBox box(&screen);
    box.PlaceOver(&screen);
    QVERIFY(box.pos().x() > 0 && box.pos().x() < 200);
    box.PlaceOver(&screen, true);
    QVERIFY((box.geometry().center() - QPoint(800, 600)).manhattanLength() <= 2);
  }

  // Halves round away from zero, edge by edge (1.75 -> 2, 3.5 -> 4); the
  // others are the box's own controls under two dialog fonts.
  void dialogUnitsConvertEdgesWithRounding() {
    struct Case {
      QRect units;
      DialogBaseUnits base;
      QRect pixels;
    };
    for (const Case& c :
         {Case{{0, 0, 230, 75}, {6, 13}, {0, 0, 345, 122}}, Case{{16, 51, 20, 20}, {6, 13}, {24, 83, 30, 32}},
          Case{{188, 55, 30, 11}, {7, 16}, {329, 110, 53, 22}}, Case{{1, 1, 1, 1}, {7, 14}, {2, 2, 2, 2}}})
      QCOMPARE(DialogUnitsToPixels(c.units, c.base), c.pixels);
  }
};

QTEST_MAIN(AboutBoxTest)
#include "about_box_test.moc"
