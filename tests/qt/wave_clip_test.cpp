#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

#include "app/qt/qt_sound_output.h"
#include "app/qt/wave_clip.h"

namespace {

QByteArray Le16(int value) {
  QByteArray bytes(2, '\0');
  qToLittleEndian<quint16>(static_cast<quint16>(value), bytes.data());
  return bytes;
}

QByteArray Le32(qint64 value) {
  QByteArray bytes(4, '\0');
  qToLittleEndian<quint32>(static_cast<quint32>(value), bytes.data());
  return bytes;
}

QByteArray Chunk(const char* id, const QByteArray& body, qint64 declaredSize = -1) {
  QByteArray chunk(id, 4);
  chunk += Le32(declaredSize < 0 ? body.size() : declaredSize);
  chunk += body;
  if (declaredSize < 0 && body.size() % 2) chunk += '\0';
  return chunk;
}

QByteArray FormatBody(int tag, int channels, int rate, int bits, int blockAlign = -1) {
  const int align = blockAlign < 0 ? channels * bits / 8 : blockAlign;
  return Le16(tag) + Le16(channels) + Le32(rate) + Le32(rate * align) + Le16(align) + Le16(bits);
}

QByteArray Riff(const QByteArray& chunks) { return QByteArray("RIFF") + Le32(4 + chunks.size()) + "WAVE" + chunks; }

QByteArray Pcm16(const QList<int>& values) {
  QByteArray bytes;
  for (int value : values) bytes += Le16(value);
  return bytes;
}

}  // namespace

class WaveClipTest : public QObject {
  Q_OBJECT

 private slots:
  void readsPlainPcmFormats_data() {
    QTest::addColumn<int>("bits");
    QTest::addColumn<int>("channels");
    QTest::addColumn<int>("sampleFormat");
    QTest::newRow("8 bit mono") << 8 << 1 << int(QAudioFormat::UInt8);
    QTest::newRow("16 bit stereo") << 16 << 2 << int(QAudioFormat::Int16);
    QTest::newRow("32 bit mono") << 32 << 1 << int(QAudioFormat::Int32);
  }

  void readsPlainPcmFormats() {
    QFETCH(int, bits);
    QFETCH(int, channels);
    QFETCH(int, sampleFormat);
    const QByteArray samples(channels * bits / 8 * 10, '\x11');
    const auto clip = ParseWave(Riff(Chunk("fmt ", FormatBody(1, channels, 11025, bits)) + Chunk("data", samples)));
    QVERIFY(clip);
    QCOMPARE(clip->format.sampleRate(), 11025);
    QCOMPARE(clip->format.channelCount(), channels);
    QCOMPARE(int(clip->format.sampleFormat()), sampleFormat);
    QCOMPARE(clip->samples, samples);
  }

  void readsFloatAndExtensibleLayouts() {
    const QByteArray samples(4 * 6, '\0');
    const auto floats = ParseWave(Riff(Chunk("fmt ", FormatBody(3, 2, 48000, 32)) + Chunk("data", samples)));
    QVERIFY(floats);
    QCOMPARE(floats->format.sampleFormat(), QAudioFormat::Float);

    // Extensible: 22 more bytes, whose sub-format's first two name PCM.
    const QByteArray extension = Le16(22) + Le16(16) + Le32(4) + Le16(1) + QByteArray(14, '\0');
    const auto extensible =
        ParseWave(Riff(Chunk("fmt ", FormatBody(0xFFFE, 1, 22050, 16) + extension) + Chunk("data", Pcm16({1, 2}))));
    QVERIFY(extensible);
    QCOMPARE(extensible->format.sampleFormat(), QAudioFormat::Int16);
    QCOMPARE(extensible->samples, Pcm16({1, 2}));
  }

  void widens24BitSamples() {
    // -2 and 0x123456 as 24-bit little-endian samples.
    const QByteArray samples = QByteArray::fromHex("feffff563412");
    const auto clip = ParseWave(Riff(Chunk("fmt ", FormatBody(1, 1, 8000, 24)) + Chunk("data", samples)));
    QVERIFY(clip);
    QCOMPARE(clip->format.sampleFormat(), QAudioFormat::Int32);
    QCOMPARE(clip->samples.size(), 8);
    QCOMPARE(qFromLittleEndian<qint32>(clip->samples.constData()), qint32(-2 * 256));
    QCOMPARE(qFromLittleEndian<qint32>(clip->samples.constData() + 4), qint32(0x12345600));
  }

  void skipsOtherChunksWithTheirPadding() {
    // An odd-sized chunk is followed by a pad byte before the next chunk.
    const QByteArray file = Riff(Chunk("LIST", QByteArray("abc")) + Chunk("fmt ", FormatBody(1, 1, 8000, 16)) +
                                 Chunk("junk", QByteArray(5, 'x')) + Chunk("data", Pcm16({7, -7, 300})));
    const auto clip = ParseWave(file);
    QVERIFY(clip);
    QCOMPARE(clip->samples, Pcm16({7, -7, 300}));
  }

  void cutsAnOverlongDataChunkToTheFile() {
    // Claims a megabyte, holds five bytes: two whole 16-bit samples survive.
    const QByteArray file = Riff(Chunk("fmt ", FormatBody(1, 1, 8000, 16))) + "data" + Le32(1 << 20) + "ABCDE";
    const auto clip = ParseWave(file);
    QVERIFY(clip);
    QCOMPARE(clip->samples, QByteArray("ABCD"));

    const QByteArray huge = Riff(Chunk("fmt ", FormatBody(1, 1, 8000, 16))) + "data" + Le32(0xFFFFFFFF) + "AB";
    QVERIFY(ParseWave(huge));
  }

  void rejectsWhatCannotBePlayed_data() {
    QTest::addColumn<QByteArray>("file");
    const QByteArray fmt16 = Chunk("fmt ", FormatBody(1, 1, 8000, 16));
    const QByteArray data = Chunk("data", Pcm16({1, 2, 3}));
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("not RIFF") << (QByteArray("RIFX") + Riff(fmt16 + data).mid(4));
    QTest::newRow("not WAVE") << (Riff(fmt16 + data).replace("WAVE", "AVI "));
    QTest::newRow("no format") << Riff(data);
    QTest::newRow("no data") << Riff(fmt16);
    QTest::newRow("short format") << Riff(Chunk("fmt ", FormatBody(1, 1, 8000, 16).left(12)) + data);
    QTest::newRow("12 bit") << Riff(Chunk("fmt ", FormatBody(1, 1, 8000, 12, 2)) + data);
    QTest::newRow("compressed") << Riff(Chunk("fmt ", FormatBody(2, 1, 8000, 16)) + data);
    QTest::newRow("16 bit float") << Riff(Chunk("fmt ", FormatBody(3, 1, 8000, 16)) + data);
    QTest::newRow("no channels") << Riff(Chunk("fmt ", FormatBody(1, 0, 8000, 16, 2)) + data);
    QTest::newRow("forty channels") << Riff(Chunk("fmt ", FormatBody(1, 40, 8000, 16)) + data);
    QTest::newRow("zero rate") << Riff(Chunk("fmt ", FormatBody(1, 1, 0, 16)) + data);
    QTest::newRow("absurd rate") << Riff(Chunk("fmt ", FormatBody(1, 1, 2000000000, 16)) + data);
    QTest::newRow("block size lies") << Riff(Chunk("fmt ", FormatBody(1, 2, 8000, 16, 2)) + data);
    QTest::newRow("less than one frame") << Riff(fmt16 + Chunk("data", QByteArray("x")));
    QTest::newRow("truncated header") << Riff(fmt16 + data).left(10);
  }

  void rejectsWhatCannotBePlayed() {
    QFETCH(QByteArray, file);
    QVERIFY(!ParseWave(file));
  }

  void fallbackBeepIsShortAndAudible() {
    const WaveClip beep = FallbackBeep();
    QVERIFY(beep.format.isValid());
    QCOMPARE(beep.format.sampleFormat(), QAudioFormat::Int16);
    const qint64 micros = beep.format.durationForBytes(beep.samples.size());
    QVERIFY(micros >= 50000 && micros <= 500000);
    int loudest = 0;
    for (qsizetype i = 0; i + 1 < beep.samples.size(); i += 2)
      loudest = std::max(loudest, std::abs(int(qFromLittleEndian<qint16>(beep.samples.constData() + i))));
    QVERIFY(loudest > 3000);
    QVERIFY(loudest < 32767);  // no clipping
    QCOMPARE(qFromLittleEndian<qint16>(beep.samples.constData()), qint16(0));  // starts without a click
  }

  void cueIsReadFromDiskEveryTime() {
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("coin.wav"));
    const QByteArray fmt = Chunk("fmt ", FormatBody(1, 1, 8000, 16));
    auto write = [&](const QByteArray& bytes) {
      QFile file(path);
      QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
      file.write(bytes);
    };

    write(Riff(fmt + Chunk("data", Pcm16({1, 2, 3}))));
    QCOMPARE(LoadCue(path).samples, Pcm16({1, 2, 3}));
    write(Riff(fmt + Chunk("data", Pcm16({9, 8}))));
    QCOMPARE(LoadCue(path).samples, Pcm16({9, 8}));

    // Broken, then gone: the beep stands in both times.
    write("RIFF garbage");
    QCOMPARE(LoadCue(path).samples, FallbackBeep().samples);
    QVERIFY(QFile::remove(path));
    QCOMPARE(LoadCue(path).samples, FallbackBeep().samples);
  }

  void generatedSoundsAreAllPlayable() {
    const QDir assets(QStringLiteral(MAROBEL_ASSETS_DIR));
    for (const char* name : {"coin.wav", "coin2.wav", "in.wav", "s.wav", "stop.wav", "magic.wav", "cl.wav"}) {
      QFile file(assets.filePath(QString::fromLatin1(name)));
      QVERIFY2(file.open(QIODevice::ReadOnly), name);
      QVERIFY2(ParseWave(file.readAll()), name);
    }
  }

  void playingNeverFailsWithOrWithoutAnAudioOutput() {
    // Test machines usually have no audio output at all; the cues must then
    // be dropped quietly, whatever they name.
    QtSoundOutput output;
    const QDir assets(QStringLiteral(MAROBEL_ASSETS_DIR));
    output.Play(assets.filePath(QStringLiteral("coin.wav")).toLocal8Bit().constData());
    output.Play(assets.filePath(QStringLiteral("stop.wav")).toLocal8Bit().constData());
    output.Play("no-such-sound.wav");
    output.Play(nullptr);
    QTest::qWait(50);
  }
};

QTEST_MAIN(WaveClipTest)
#include "wave_clip_test.moc"
