// The cabinet's one voice, as every player of cues gets it, and the
// stand-in tone as the players that take a whole file from memory get it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "formats/wave_file.h"
#include "render/sound_cue.h"

namespace {

class RecordingVoice : public OneVoiceOutput {
 public:
  std::vector<std::string> events;

 private:
  void StopPlaying() override { events.push_back("stop"); }
  void StartPlaying(const char* waveFile) override { events.push_back(std::string("start ") + waveFile); }
};

TEST(OneVoice, EachCueStopsTheOneSoundingThenStartsFromItsBeginning) {
  RecordingVoice voice;
  SoundOutput& output = voice;  // as the game sees it
  output.Play("coin.wav");
  output.Play("coin.wav");
  output.Play(nullptr);
  EXPECT_EQ(voice.events,
            (std::vector<std::string>{"stop", "start coin.wav", "stop", "start coin.wav", "stop", "start "}));
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
