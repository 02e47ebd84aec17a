// The video module: FFmpeg's encoder behind the runner's VideoRecording.
#include "app/sim/video_recording.h"

#include "app/sim/cue_sounds.h"
#include "app/sim/cue_track.h"
#include "app/sim/video_format.h"
#include "app/sim/video_writer.h"

namespace {

constexpr std::size_t kSamplesPerTick = VideoWriter::kAudioRate / kTicksPerSecond;

class FfmpegVideoRecording : public VideoRecording {
 public:
  FfmpegVideoRecording(std::unique_ptr<VideoWriter> w, SoundResolver resolver)
      : writer(std::move(w)),
        sounds(std::move(resolver), VideoWriter::kAudioRate),
        track(kSamplesPerTick,
              [this](const std::string& name) -> const std::vector<float>& { return sounds.Get(name); }) {}

  bool AddTick(const std::uint32_t* canvasPixels, int canvasWidth, int canvasHeight,
               const std::vector<std::string>& cues, std::string& error) override;
  bool AddPicture(const std::uint32_t* canvasPixels, int canvasWidth, int canvasHeight, std::string& error) override;
  void ContinueSound(const std::string& waveFile, long long ticksPlayed) override {
    track.Continue(waveFile, static_cast<std::size_t>(ticksPlayed));
  }
  bool Finish(std::string& error) override { return writer->Finish(error); }

 private:
  std::unique_ptr<VideoWriter> writer;
  CueSounds sounds;
  CueTrack track;
  std::vector<float> tickAudio;
};

}  // namespace

extern "C" __attribute__((visibility("default"))) VideoRecording* MarobelStartVideoRecording(const std::string& path,
                                                                                             int framesPerSecond,
                                                                                             SoundResolver sounds,
                                                                                             std::string& error) {
  const std::optional<VideoFormat> format = VideoFormatFor(path);
  if (!format) {
    error = path + ": a video file name ends in .mp4 or .webm";
    return nullptr;
  }
  std::unique_ptr<VideoWriter> writer =
      VideoWriter::Open({path, *format, kVideoWidth, kVideoHeight, framesPerSecond}, error);
  if (!writer) return nullptr;
  return new FfmpegVideoRecording(std::move(writer), std::move(sounds));
}

bool FfmpegVideoRecording::AddPicture(const std::uint32_t* canvasPixels, int canvasWidth, int canvasHeight,
                                      std::string& error) {
  if (!canvasPixels || canvasWidth < kVideoWidth || canvasHeight < kVideoHeight) {
    error = "the canvas is smaller than the video's picture";
    return false;
  }
  return writer->AddFrame(canvasPixels, canvasWidth, error);
}

bool FfmpegVideoRecording::AddTick(const std::uint32_t* canvasPixels, int canvasWidth, int canvasHeight,
                                   const std::vector<std::string>& cues, std::string& error) {
  if (!AddPicture(canvasPixels, canvasWidth, canvasHeight, error)) return false;
  tickAudio.clear();
  track.AddTick(cues, tickAudio);
  return writer->AddAudio(tickAudio.data(), tickAudio.size(), error);
}
