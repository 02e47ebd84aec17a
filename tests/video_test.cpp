// Videos of a scripted game, decoded with the FFmpeg programs and held
// against the runner's own frames and trace: a picture per tick that shows
// the tick's frame, and a sound track that sounds where the trace asks for
// a cue and is silent where no cue is playing.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "formats/wave_file.h"
#include "tests/test_support.h"
#include "app/sim/video_format.h"

namespace {

namespace fs = std::filesystem;

constexpr int kTicks = 60;
constexpr int kRate = 48000;
constexpr std::size_t kTickSamples = kRate / kTicksPerSecond;
constexpr std::size_t kFrameBytes = std::size_t{kVideoWidth} * kVideoHeight * 3;

// Coins bought in both lanes over the first thirty ticks: payouts, a gate
// capture, a long lottery spin with prize coins paying out, its stop, and
// then a stretch in which nothing sounds.
constexpr const char* kScript =
    "3 left\n3 right\n4 right\n4 left\n5 left\n5 right\n6 left\n8 right\n8 right\n9 left\n11 left\n11 right\n"
    "12 left\n12 left\n14 left\n14 right\n16 right\n17 right\n17 right\n18 right\n20 left\n23 left\n24 right\n"
    "25 right\n25 right\n26 right\n26 right\n27 right\n27 left\n28 left\n29 left\n";

fs::path FreshFolder(const std::string& name) {
  const fs::path folder = fs::temp_directory_path() / ("marobel-video-" + std::to_string(::getpid()) + "-" + name);
  fs::remove_all(folder);
  fs::create_directories(folder);
  return folder;
}

// Standard output of a shell command, bytes as they come.
std::string Capture(const std::string& command) {
  std::FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) return {};
  std::string out;
  char buffer[1 << 16];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
  ::pclose(pipe);
  return out;
}

double MeanAbsoluteError(const std::string& a, const std::string& b, std::size_t frame) {
  double sum = 0;
  for (std::size_t i = frame * kFrameBytes; i < (frame + 1) * kFrameBytes; ++i)
    sum += std::abs(int(static_cast<unsigned char>(a[i])) - int(static_cast<unsigned char>(b[i])));
  return sum / kFrameBytes;
}

double Rms(const std::vector<float>& samples, double fromSeconds, double seconds) {
  const auto from = static_cast<std::size_t>(fromSeconds * kRate);
  const auto to = std::min(samples.size(), from + static_cast<std::size_t>(seconds * kRate));
  double sum = 0;
  for (std::size_t i = from; i < to; ++i) sum += double(samples[i]) * samples[i];
  return to > from ? std::sqrt(sum / double(to - from)) : 0.0;
}

// The sound requests of every trace line, by tick.
std::vector<std::vector<std::string>> TickSounds(const fs::path& trace) {
  std::vector<std::vector<std::string>> ticks;
  std::ifstream in(trace);
  const std::regex list(R"re("sounds":\[([^\]]*)\])re"), name(R"re("([^"]+)")re");
  for (std::string line; std::getline(in, line);) {
    std::smatch found;
    ticks.emplace_back();
    if (!std::regex_search(line, found, list)) continue;
    const std::string names = found[1];
    for (std::sregex_iterator m(names.begin(), names.end(), name), end; m != end; ++m) ticks.back().push_back((*m)[1]);
  }
  return ticks;
}

double ClipSeconds(const std::string& waveFile) {
  std::ifstream in(fs::path(MAROBEL_ASSETS_DIR) / waveFile, std::ios::binary);
  const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  const std::optional<WaveSound> sound = ReadWave(bytes.data(), bytes.size());
  if (!sound) return 0;
  return double(sound->samples.size()) / (sound->sampleRate * sound->channels * WaveSampleBytes(sound->format));
}

// The game is run once for its frames and trace; each format's video is a
// second run of the same script, which plays the same game.
class Video : public ::testing::TestWithParam<std::pair<const char*, const char*>> {
 protected:
  static void SetUpTestSuite() {
    if (!VideoSupported()) return;
    folder_ = FreshFolder("game");
    keys_ = (folder_ / "game.keys").string();
    std::ofstream(keys_) << kScript;
    const fs::path trace = folder_ / "trace.jsonl";
    ASSERT_EQ(RunSim("--ticks 60 --credits 100 --keys " + keys_ + " --assets " MAROBEL_ASSETS_DIR " --frames " +
                     (folder_ / "frames").string() + " --trace " + trace.string()),
              0);
    sounds_ = TickSounds(trace);
    frames_ = Capture("ffmpeg -v error -i " + (folder_ / "frames" / "frame-%06d.png").string() +
                      " -vf crop=" + std::to_string(kVideoWidth) + ":" + std::to_string(kVideoHeight) +
                      ":0:0 -f rawvideo -pix_fmt rgb24 -");
  }
  static void TearDownTestSuite() {
    if (!folder_.empty()) fs::remove_all(folder_);
  }

  static inline fs::path folder_;
  static inline std::string keys_;
  static inline std::vector<std::vector<std::string>> sounds_;
  static inline std::string frames_;  // every tick's frame, cut to the client area, as RGB
};

TEST_P(Video, ShowsEveryTickAndSoundsItsCues) {
#ifdef MAROBEL_VIDEO_MODULE_BUILT
  ASSERT_TRUE(VideoSupported()) << "the video module was built, but the runner's options refuse --video";
#endif
  if (!VideoSupported()) GTEST_SKIP() << "this build has no video support";
  const auto [extension, videoCodec] = GetParam();
  const std::string video = (folder_ / (std::string("game.") + extension)).string();
  std::string err;
  ASSERT_EQ(RunSim("--ticks 60 --credits 100 --keys " + keys_ +
                       " --assets " MAROBEL_ASSETS_DIR " --trace /dev/null --video " + video,
                   nullptr, &err),
            0)
      << err;
  // Off a terminal: a line at every tenth of the way, then the result.
  std::vector<std::string> lines;
  for (std::istringstream in(err); std::getline(in, lines.emplace_back());) {
  }
  lines.pop_back();
  ASSERT_EQ(lines.size(), 11u) << err;
  for (int tenth = 1; tenth <= 10; ++tenth) {
    EXPECT_EQ(lines[tenth - 1].rfind("marobel-sim: " + video + " " + std::to_string(tenth * 10) + "% (" +
                                         std::to_string(tenth * 6) + " of 60 ticks), ",
                                     0),
              0u)
        << lines[tenth - 1];
  }
  EXPECT_EQ(lines[10].rfind("marobel-sim: wrote " + video + ": 12 s of video (60 frames), ", 0), 0u) << lines[10];
  EXPECT_EQ(lines[10].back(), 'B') << lines[10];
  EXPECT_FALSE(fs::exists(video + ".partial"));

  const std::string probe = Capture(
      "ffprobe -v error -show_entries stream=codec_name,r_frame_rate:format=duration "
      "-of default=nw=1 " +
      video);
  EXPECT_NE(probe.find(std::string("codec_name=") + videoCodec), std::string::npos) << probe;
  EXPECT_NE(probe.find("r_frame_rate=5/1"), std::string::npos) << probe;
  std::smatch duration;
  ASSERT_TRUE(std::regex_search(probe, duration, std::regex(R"(duration=([0-9.]+))"))) << probe;
  EXPECT_NEAR(std::stod(duration[1]), kTicks / 5.0, 0.05);

  // Every picture against the same tick's frame. The bound lies between the
  // codecs' loss (a mean of about 4) and what neighbouring ticks differ by
  // (8 and more), so a picture a tick off fails.
  const std::string pictures = Capture("ffmpeg -v error -i " + video + " -map 0:v -f rawvideo -pix_fmt rgb24 -");
  ASSERT_EQ(pictures.size(), kTicks * kFrameBytes);
  ASSERT_EQ(frames_.size(), kTicks * kFrameBytes);
  for (int tick = 1; tick <= kTicks; ++tick) EXPECT_LT(MeanAbsoluteError(pictures, frames_, tick - 1), 6.0) << tick;

  const std::string audio =
      Capture("ffmpeg -v error -i " + video + " -map 0:a -f f32le -ac 1 -ar " + std::to_string(kRate) + " -");
  std::vector<float> samples(audio.size() / sizeof(float));
  std::memcpy(samples.data(), audio.data(), samples.size() * sizeof(float));
  ASSERT_GE(samples.size(), kTicks * kTickSamples);
  ASSERT_EQ(sounds_.size(), std::size_t{kTicks + 1});
  int payouts = 0, silent = 0;
  double cueEnds = -1;
  for (int tick = 1; tick <= kTicks; ++tick) {
    const double start = (tick - 1) / 5.0;
    if (!sounds_[tick].empty()) {
      const std::string& heard = sounds_[tick].back();
      cueEnds = start + ClipSeconds(heard);
      EXPECT_GT(Rms(samples, start, 0.08), 0.02) << "tick " << tick << " cues " << heard;
      payouts += heard == "coin.wav";
    } else if (start > cueEnds + 0.05) {
      EXPECT_LT(Rms(samples, start, 0.2), 0.002) << "tick " << tick << " cues nothing";
      ++silent;
    }
  }
  EXPECT_GE(payouts, 4);
  EXPECT_GE(silent, 10);
}

INSTANTIATE_TEST_SUITE_P(Formats, Video, ::testing::Values(std::pair{"mp4", "h264"}, std::pair{"webm", "vp9"}),
                         [](const auto& info) { return std::string(info.param.first); });

// Bad names are usage errors; a run that fails leaves no video behind.
TEST(VideoOption, RefusesWhatItCannotWriteAndLeavesNothingHalfWritten) {
  const fs::path folder = FreshFolder("fail");
  std::string err;
  if (!VideoSupported()) {
    EXPECT_EQ(RunSim("--ticks 1 --video " + (folder / "game.mp4").string(), nullptr, &err), 2);
    EXPECT_NE(err.find("no video support"), std::string::npos) << err;
    fs::remove_all(folder);
    return;
  }
  // A name the runner cannot take is a mistake on the command line: one
  // line, and the pointer to the help.
  EXPECT_EQ(RunSim("--ticks 1 --video " + (folder / "game.avi").string(), nullptr, &err), 2);
  EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 2) << err;
  EXPECT_NE(err.find("\nTry 'marobel-sim --help'.\n"), std::string::npos) << err;
  EXPECT_NE(err.find("game.avi"), std::string::npos) << err;
  EXPECT_EQ(RunSim("--ticks 1 --video " + (folder / "missing" / "game.mp4").string(), nullptr, &err), 2);
  EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;

  // The trace fails on a full disk after the video has been started.
  const std::string video = (folder / "cut.webm").string();
  EXPECT_EQ(RunSim("--ticks 30 --trace /dev/full --assets " MAROBEL_ASSETS_DIR " --video " + video, nullptr, &err), 1);
  EXPECT_FALSE(fs::exists(video));
  EXPECT_FALSE(fs::exists(video + ".partial"));
  fs::remove_all(folder);
}

}  // namespace
