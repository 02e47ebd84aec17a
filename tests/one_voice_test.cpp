// The cabinet's one voice, as every player of cues gets it, and the
// stand-in tone as the players that take a whole file from memory get it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/session/sound_bank.h"
#include "formats/wave_file.h"
#include "tests/test_support.h"

namespace {

class RecordingVoice : public SoundPlayer {
 public:
  std::vector<std::string> events;
  void StopPlaying() override { events.push_back("stop"); }

 private:
  void StartPlaying(const SoundClip& clip) override {
    events.push_back("start " + clip.name + (clip.standIn ? " (beep)" : ""));
  }
};

TEST(OneVoice, EachCueStopsTheOneSoundingThenStartsFromItsBeginning) {
  RecordingVoice voice;
  SoundBank bank;
  bank.SetFolder("/nonexistent-folder");
  voice.Play(bank.Resolve("coin.wav"));
  voice.Play(bank.Resolve("coin.wav"));
  EXPECT_EQ(voice.events, (std::vector<std::string>{"stop", "start coin.wav (beep)", "stop", "start coin.wav (beep)"}));
}

TEST(OneVoice, ACueIsItsFileUntilTheFileIsUnplayableThenTheBeep) {
  const std::filesystem::path folder = std::filesystem::path(WriteTempFile("sounds-probe", "")).parent_path() /
                                       ("marobel-sounds-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  WaveSound tone;
  tone.sampleRate = 8000;
  tone.channels = 1;
  tone.samples.assign(400, 0x11);
  auto write = [&](const std::vector<std::uint8_t>& bytes) {
    std::ofstream(folder / "in.wav", std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  };
  write(WaveFileImage(tone));
  SoundBank bank;
  bank.SetFolder(folder.string());
  EXPECT_FALSE(bank.Resolve("in.wav").standIn);
  EXPECT_EQ(bank.Resolve("in.wav").sound.samples, tone.samples);
  // Replaced by something that is no wave: heard as the beep from the next cue on.
  write({'n', 'o', 't', ' ', 'a', ' ', 'w', 'a', 'v', 'e'});
  EXPECT_TRUE(bank.Resolve("in.wav").standIn);
  EXPECT_EQ(bank.Resolve("in.wav").sound.samples, FallbackBeepSound().samples);
  std::filesystem::remove(folder / "in.wav");
  EXPECT_TRUE(bank.Resolve("in.wav").standIn);
  std::filesystem::remove_all(folder);
}

TEST(OneVoice, TheStandInToneReadsBackFromItsFileImage) {
  WaveSound stereo;
  stereo.sampleRate = 44100;
  stereo.channels = 2;
  stereo.format = WaveSampleFormat::Float32;
  stereo.samples.assign(8 * 10, 0x3F);
  for (const WaveSound& sound : {FallbackBeepSound(), stereo}) {
    const std::vector<std::uint8_t> image = WaveFileImage(sound);
    const std::optional<WaveSound> back = ReadWave(image.data(), image.size());
    ASSERT_TRUE(back);
    EXPECT_EQ(back->sampleRate, sound.sampleRate);
    EXPECT_EQ(back->channels, sound.channels);
    EXPECT_EQ(back->format, sound.format);
    EXPECT_EQ(back->samples, sound.samples);
  }
}

}  // namespace
