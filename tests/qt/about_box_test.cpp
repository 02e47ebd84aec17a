#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QWindow>
#include <QtTest>
#include <functional>

#include "app/qt/about_box.h"
#include "app/qt/canvas_surface.h"

namespace {

// Opens the box modally, runs `action` on it once it is shown and returns
// the box's result.
int RunBox(const std::function<void(AboutBox&)>& action) {
  AboutBox box(nullptr);
  QTimer::singleShot(0, &box, [&] {
    if (!QTest::qWaitForWindowExposed(&box)) box.done(-1);
    action(box);
  });
  QTimer::singleShot(5000, &box, [&] { box.done(-2); });  // never hang the run
  return box.exec();
}

}  // namespace

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
    QVERIFY(box.isModal());
  }

  void endsWithOneOrTwo_data() {
    QTest::addColumn<int>("how");
    QTest::addColumn<int>("result");
    QTest::newRow("OK button") << 0 << 1;
    QTest::newRow("Enter") << 1 << 1;
    QTest::newRow("keypad Enter") << 2 << 1;
    QTest::newRow("Escape") << 3 << 2;
    QTest::newRow("close box") << 4 << 2;
  }

  void endsWithOneOrTwo() {
    QFETCH(int, how);
    QFETCH(int, result);
    const int ended = RunBox([how](AboutBox& box) {
      switch (how) {
        case 0: QTest::mouseClick(box.OkButton(), Qt::LeftButton); break;
        case 1: QTest::keyClick(box.windowHandle(), Qt::Key_Return); break;
        case 2: QTest::keyClick(box.windowHandle(), Qt::Key_Enter, Qt::KeypadModifier); break;
        case 3: QTest::keyClick(box.windowHandle(), Qt::Key_Escape); break;
        case 4: box.windowHandle()->close(); break;
      }
    });
    QCOMPARE(ended, result);
  }

  void otherCommandsAndKeysLeaveItOpen() {
    bool openAfterwards = false;
    const int ended = RunBox([&](AboutBox& box) {
      QVERIFY(!box.RunCommand(0));
      QVERIFY(!box.RunCommand(3));
      QVERIFY(!box.RunCommand(104));
      QTest::keyClick(box.windowHandle(), Qt::Key_Right);
      QTest::keyClick(box.windowHandle(), Qt::Key_A);
      QTest::qWait(20);
      openAfterwards = box.isVisible();
      box.RunCommand(AboutBox::kOk);
    });
    QVERIFY(openAfterwards);
    QCOMPARE(ended, 1);
  }

  void bandIsBlackAndClippedToTheClientArea() {
    QImage shot;
    QRect band;
    QSize client;
    int okTop = 0;
    RunBox([&](AboutBox& box) {
      QTest::qWait(120);  // a few 50 ms clears
      shot = box.grab().toImage();
      band = box.Band()->visibleRegion().boundingRect();
      client = box.size();
      okTop = box.OkButton()->geometry().top();
      box.reject();
    });
    QCOMPARE(band.topLeft(), QPoint(0, 0));
    QCOMPARE(band.width(), std::min(500, client.width()));
    QCOMPARE(band.height(), std::min(100, client.height()));
    QCOMPARE(shot.pixel(2, 2) & 0xFFFFFFu, 0u);
    QCOMPARE(shot.pixel(band.width() - 1, 30) & 0xFFFFFFu, 0u);
    // Below the band and beside the button: the dialog's own colour.
    const QRgb dialog = QApplication::palette().color(QPalette::Window).rgb();
    if (client.height() > 101) QCOMPARE(shot.pixel(4, client.height() - 1), dialog);
    // The controls sit in the lower part, the band fills the top.
    QVERIFY(okTop > client.height() / 2);
    QVERIFY(okTop < client.height());
  }

  void eachOpeningAttachesAFreshSurface() {
    {
      AboutBox first(nullptr);
      std::fill(aboutCanvas.MutablePixels(), aboutCanvas.MutablePixels() + 500 * 100, 0x00FF00FFu);
    }
    AboutBox second(nullptr);
    QVERIFY(aboutCanvas.IsAttached());
    QCOMPARE(aboutCanvas.Width(), 500);
    QCOMPARE(aboutCanvas.Height(), 100);
    for (const QPoint at : {QPoint(0, 0), QPoint(250, 50), QPoint(499, 99)})
      QCOMPARE(aboutCanvas.PixelAt(at.x(), at.y()), 0u);
    QVERIFY(second.Band()->TimerRunning(1));
  }

  void bandIsClearedByItsTimer() {
    AboutBox box(nullptr);
    aboutCanvas.MutablePixels()[42] = 0x00123456u;
    QTRY_COMPARE_WITH_TIMEOUT(aboutCanvas.PixelAt(42, 0), 0u, 1000);
  }
};

QTEST_MAIN(AboutBoxTest)
#include "about_box_test.moc"
