#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>
#include <utility>

#include "app/qt/qt_sound_output.h"
#include "app/qt/wave_clip.h"
#include "app/session/sound_bank.h"
#include "render/asset_names.h"

namespace {

template <typename T>
QByteArray Le(qint64 value) {
  QByteArray bytes(sizeof(T), '\0');
  qToLittleEndian<T>(static_cast<T>(value), bytes.data());
  return bytes;
}

// Odd-sized bodies get their pad byte, as chunks are aligned to even sizes.
QByteArray Chunk(const char* id, const QByteArray& body) {
  return QByteArray(id, 4) + Le<quint32>(body.size()) + body + QByteArray(body.size() % 2, '\0');
}

QByteArray Format(int tag, int channels, int rate, int bits, int align = -1, const QByteArray& more = {}) {
  if (align < 0) align = channels * bits / 8;
  return Chunk("fmt ", Le<quint16>(tag) + Le<quint16>(channels) + Le<quint32>(rate) +
                           Le<quint32>(qint64(rate) * align) + Le<quint16>(align) + Le<quint16>(bits) + more);
}

QByteArray Riff(const QByteArray& chunks) { return "RIFF" + Le<quint32>(4 + chunks.size()) + "WAVE" + chunks; }

QByteArray Wave(int tag, int channels, int bits, const QByteArray& samples) {
  return Riff(Format(tag, channels, 8000, bits) + Chunk("data", samples));
}

}  // namespace

class WaveClipTest : public QObject {
  Q_OBJECT

 private slots:
  void readsWhatCanBePlayed() {
    using F = QAudioFormat;
    struct Case {
      const char* name;
      QByteArray file;
      int channels;
      F::SampleFormat format;
      QByteArray samples;
    };
    const QByteArray fmt16 = Format(1, 1, 8000, 16);
    // Extensible: 22 more bytes, whose sub-format's first two name PCM.
    const QByteArray extensible =
        Le<quint16>(22) + Le<quint16>(16) + Le<quint32>(4) + Le<quint16>(1) + QByteArray(14, '\0');
    for (const Case& c :
         {Case{"8 bit", Wave(1, 1, 8, "abc"), 1, F::UInt8, "abc"},
          Case{"16 bit stereo", Wave(1, 2, 16, "abcd"), 2, F::Int16, "abcd"},
          Case{"32 bit float", Wave(3, 1, 32, "abcd"), 1, F::Float, "abcd"},
          Case{"extensible", Riff(Format(0xFFFE, 1, 8000, 16, 2, extensible) + Chunk("data", "ab")), 1, F::Int16, "ab"},
          // -2 and 0x123456 as 24-bit samples, widened to 32 bits.
          Case{"24 bit", Wave(1, 1, 24, QByteArray::fromHex("feffff563412")), 1, F::Int32,
               Le<qint32>(-2 * 256) + Le<qint32>(0x12345600)},
          Case{"other chunks, padded",
               Riff(Chunk("LIST", "abc") + fmt16 + Chunk("junk", "abcde") + Chunk("data", "ab")), 1, F::Int16, "ab"},
          // Claims more than the file holds: cut to the whole samples there are.
          Case{"overlong data", Riff(fmt16) + "data" + Le<quint32>(1 << 20) + "ABCDE", 1, F::Int16, "ABCD"},
          Case{"huge data", Riff(fmt16) + "data" + Le<quint32>(0xFFFFFFFF) + "AB", 1, F::Int16, "AB"}}) {
      const std::optional<WaveClip> clip = ParseWave(c.file);
      QVERIFY2(clip, c.name);
      QCOMPARE(clip->format.sampleRate(), 8000);
      QCOMPARE(clip->format.channelCount(), c.channels);
      QCOMPARE(clip->format.sampleFormat(), c.format);
      QCOMPARE(clip->samples, c.samples);
    }
  }

  void rejectsWhatCannotBePlayed() {
    const QByteArray fmt16 = Format(1, 1, 8000, 16);
    const QByteArray data = Chunk("data", "abcdef");
    const std::pair<const char*, QByteArray> files[] = {
        {"empty", QByteArray()},
        {"not RIFF", Riff(fmt16 + data).replace("RIFF", "RIFX")},
        {"not WAVE", Riff(fmt16 + data).replace("WAVE", "AVI ")},
        {"no format", Riff(data)},
        {"no data", Riff(fmt16)},
        {"short format", Riff(Chunk("fmt ", fmt16.mid(8, 12)) + data)},
        {"12 bit", Riff(Format(1, 1, 8000, 12, 2) + data)},
        {"compressed", Wave(2, 1, 16, "abcdef")},
        {"16 bit float", Wave(3, 1, 16, "abcdef")},
        {"no channels", Riff(Format(1, 0, 8000, 16, 2) + data)},
        {"forty channels", Wave(1, 40, 16, QByteArray(80, '\0'))},
        {"zero rate", Riff(Format(1, 1, 0, 16) + data)},
        {"absurd rate", Riff(Format(1, 1, 2000000000, 16) + data)},
        {"block size lies", Riff(Format(1, 2, 8000, 16, 2) + data)},
        {"less than one frame", Wave(1, 1, 16, "x")},
    };
    for (const auto& [name, file] : files) QVERIFY2(!ParseWave(file), name);
  }

  // A missing or broken file is heard as the beep, read afresh at each cue.
  void cueFallsBackToAnAudibleBeep() {
    const WaveClip beep = FallbackBeep();
    const qint64 micros = beep.format.durationForBytes(beep.samples.size());
    QVERIFY(micros >= 50000 && micros <= 500000);
    int loudest = 0;
    for (qsizetype i = 0; i + 1 < beep.samples.size(); i += 2)
      loudest = std::max(loudest, std::abs(int(qFromLittleEndian<qint16>(beep.samples.constData() + i))));
    QVERIFY(loudest > 3000 && loudest < 32767);                                // audible, not clipped
    QCOMPARE(qFromLittleEndian<qint16>(beep.samples.constData()), qint16(0));  // starts without a click

    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("coin.wav"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(Wave(1, 1, 16, "abcdef"));
    file.close();
    SoundBank bank;
    bank.SetFolder(folder.path().toStdString());
    QCOMPARE(ClipOf(bank.Resolve("coin.wav").sound).samples, QByteArray("abcdef"));
    QVERIFY(file.resize(40));  // cut inside the data chunk's header
    QCOMPARE(ClipOf(bank.Resolve("coin.wav").sound).samples, beep.samples);
    QVERIFY(file.remove());
    QCOMPARE(ClipOf(bank.Resolve("coin.wav").sound).samples, beep.samples);
  }

  // Test machines usually have no audio output at all; the cues must then be
  // dropped quietly, whatever they name.
  void everyGeneratedSoundIsPlayableAndPlayingNeverFails() {
    const QDir assets(QStringLiteral(MAROBEL_ASSETS_DIR));
    QtSoundOutput output;
    SoundBank bank;
    bank.SetFolder(assets.path().toStdString());
    for (const char* name : asset::kAllSounds) {
      QFile file(assets.filePath(QString::fromLatin1(name)));
      QVERIFY2(file.open(QIODevice::ReadOnly), name);
      QVERIFY2(ParseWave(file.readAll()), name);
      QVERIFY2(!bank.Resolve(name).standIn, name);
      output.Play(bank.Resolve(name));
    }
    output.Play(bank.Resolve("no-such-sound.wav"));
    QTest::qWait(50);
  }
};

QTEST_MAIN(WaveClipTest)
#include "wave_clip_test.moc"
