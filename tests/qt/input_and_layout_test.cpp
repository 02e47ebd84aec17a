#include <QFont>
#include <QFontMetrics>
#include <QtTest>

#include "app/qt/dialog_units.h"
#include "app/qt/virtual_key.h"

class InputAndLayoutTest : public QObject {
  Q_OBJECT

 private slots:
  void virtualKeys_data() {
    QTest::addColumn<int>("qtKey");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("virtualKey");
    QTest::newRow("left") << int(Qt::Key_Left) << 0 << 0x25;
    QTest::newRow("up") << int(Qt::Key_Up) << 0 << 0x26;
    QTest::newRow("right") << int(Qt::Key_Right) << 0 << 0x27;
    QTest::newRow("down") << int(Qt::Key_Down) << 0 << 0x28;
    QTest::newRow("keypad left, num lock off") << int(Qt::Key_Left) << int(Qt::KeypadModifier) << 0x25;
    QTest::newRow("A") << int(Qt::Key_A) << 0 << int('A');
    QTest::newRow("Z with shift") << int(Qt::Key_Z) << int(Qt::ShiftModifier) << int('Z');
    QTest::newRow("0") << int(Qt::Key_0) << 0 << int('0');
    QTest::newRow("9") << int(Qt::Key_9) << 0 << int('9');
    QTest::newRow("keypad 7") << int(Qt::Key_7) << int(Qt::KeypadModifier) << 0x67;
    QTest::newRow("keypad slash") << int(Qt::Key_Slash) << int(Qt::KeypadModifier) << 0x6F;
    QTest::newRow("F1") << int(Qt::Key_F1) << 0 << 0x70;
    QTest::newRow("F12") << int(Qt::Key_F12) << 0 << 0x7B;
    QTest::newRow("Return") << int(Qt::Key_Return) << 0 << 0x0D;
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << 0x0D;
    QTest::newRow("Escape") << int(Qt::Key_Escape) << 0 << 0x1B;
    QTest::newRow("Space") << int(Qt::Key_Space) << 0 << 0x20;
    QTest::newRow("Tab") << int(Qt::Key_Tab) << 0 << 0x09;
    QTest::newRow("Delete") << int(Qt::Key_Delete) << 0 << 0x2E;
    QTest::newRow("slash") << int(Qt::Key_Slash) << 0 << 0xBF;
    QTest::newRow("question mark, same key") << int(Qt::Key_Question) << int(Qt::ShiftModifier) << 0xBF;
    QTest::newRow("exclamation is shift 1") << int(Qt::Key_Exclam) << int(Qt::ShiftModifier) << int('1');
    QTest::newRow("no such key") << int(Qt::Key_unknown) << 0 << 0;
    QTest::newRow("volume") << int(Qt::Key_VolumeUp) << 0 << 0;
  }

  void virtualKeys() {
    QFETCH(int, qtKey);
    QFETCH(int, modifiers);
    QFETCH(int, virtualKey);
    QCOMPARE(VirtualKeyFor(qtKey, Qt::KeyboardModifiers(modifiers)), virtualKey);
  }

  void systemKeysStayAwayFromTheGame() {
    QVERIFY(IsSystemKey(Qt::Key_Left, Qt::AltModifier));
    QVERIFY(IsSystemKey(Qt::Key_Alt, Qt::NoModifier));
    QVERIFY(IsSystemKey(Qt::Key_F10, Qt::NoModifier));
    QVERIFY(!IsSystemKey(Qt::Key_Left, Qt::NoModifier));
    QVERIFY(!IsSystemKey(Qt::Key_Right, Qt::ShiftModifier | Qt::ControlModifier));
    QVERIFY(!IsSystemKey(Qt::Key_F9, Qt::NoModifier));
  }

  void aboutAcceleratorIsTheCharacterWithAlt() {
    QVERIFY(IsAboutAccelerator(Qt::Key_Question, Qt::AltModifier | Qt::ShiftModifier, QStringLiteral("?")));
    QVERIFY(IsAboutAccelerator(Qt::Key_Slash, Qt::AltModifier, QStringLiteral("/")));
    // A layout where "?" lies on another key still gives the character.
    QVERIFY(IsAboutAccelerator(Qt::Key_Comma, Qt::AltModifier | Qt::ShiftModifier, QStringLiteral("?")));
    QVERIFY(IsAboutAccelerator(Qt::Key_7, Qt::AltModifier | Qt::ShiftModifier, QStringLiteral("/")));
    // No text: the key's own symbol decides.
    QVERIFY(IsAboutAccelerator(Qt::Key_Question, Qt::AltModifier, QString()));
    QVERIFY(IsAboutAccelerator(Qt::Key_Slash, Qt::AltModifier, QString()));
    // The "/" key of a layout that puts another character there is not it.
    QVERIFY(!IsAboutAccelerator(Qt::Key_Slash, Qt::AltModifier, QStringLiteral("-")));
    QVERIFY(!IsAboutAccelerator(Qt::Key_Question, Qt::ShiftModifier, QStringLiteral("?")));
    QVERIFY(!IsAboutAccelerator(Qt::Key_Slash, Qt::ControlModifier, QStringLiteral("/")));
    QVERIFY(!IsAboutAccelerator(Qt::Key_A, Qt::AltModifier, QStringLiteral("a")));
  }

  void dialogUnitsConvertEdgesWithRounding_data() {
    QTest::addColumn<QRect>("units");
    QTest::addColumn<int>("baseX");
    QTest::addColumn<int>("baseY");
    QTest::addColumn<QRect>("pixels");
    // The classic base units of an 8 point dialog font.
    QTest::newRow("dialog 6x13") << QRect(0, 0, 230, 75) << 6 << 13 << QRect(0, 0, 345, 122);
    QTest::newRow("icon 6x13") << QRect(16, 51, 20, 20) << 6 << 13 << QRect(24, 83, 30, 32);
    QTest::newRow("text 7x16") << QRect(49, 48, 137, 8) << 7 << 16 << QRect(86, 96, 240, 16);
    QTest::newRow("OK 7x16") << QRect(188, 55, 30, 11) << 7 << 16 << QRect(329, 110, 53, 22);
    // Halves round away from zero, edge by edge: 1.75 -> 2 and 3.5 -> 4.
    QTest::newRow("halves") << QRect(1, 1, 1, 1) << 7 << 14 << QRect(2, 2, 2, 2);
  }

  void dialogUnitsConvertEdgesWithRounding() {
    QFETCH(QRect, units);
    QFETCH(int, baseX);
    QFETCH(int, baseY);
    QFETCH(QRect, pixels);
    QCOMPARE(DialogUnitsToPixels(units, DialogBaseUnits{baseX, baseY}), pixels);
  }

  void baseUnitsFollowTheFont() {
    QFont small;
    small.setPixelSize(10);
    QFont large = small;
    large.setPixelSize(30);
    const DialogBaseUnits a = BaseUnitsOf(small);
    const DialogBaseUnits b = BaseUnitsOf(large);
    QCOMPARE(a.y, QFontMetrics(small).height());
    QCOMPARE(b.y, QFontMetrics(large).height());
    QVERIFY(a.x >= 1 && a.x < a.y);
    QVERIFY(b.x > 2 * a.x);
  }
};

QTEST_MAIN(InputAndLayoutTest)
#include "input_and_layout_test.moc"
