#include "tools/marobel_sim/video_recording.h"

#include "tools/marobel_sim/cue_sounds.h"
#include "tools/marobel_sim/cue_track.h"
#include "tools/marobel_sim/video_format.h"
#include "tools/marobel_sim/video_writer.h"

namespace {

constexpr std::size_t kSamplesPerTick = VideoWriter::kAudioRate / kVideoFramesPerSecond;

}  // namespace

struct VideoRecording::Parts {
  std::unique_ptr<VideoWriter> writer;
  CueSounds sounds;
  CueTrack track;
  std::vector<float> tickAudio;

  Parts(std::unique_ptr<VideoWriter> w, const std::string& assetsDir)
      : writer(std::move(w)),
        sounds(assetsDir, VideoWriter::kAudioRate),
        track(kSamplesPerTick, [this](const std::string& name) -> const std::vector<float>& { return sounds.Get(name); }) {}
};

VideoRecording::VideoRecording(std::unique_ptr<Parts> parts) : parts_(std::move(parts)) {}
VideoRecording::~VideoRecording() = default;

std::unique_ptr<VideoRecording> VideoRecording::Start(const std::string& path, const std::string& assetsDir,
                                                      std::string& error) {
  const std::optional<VideoFormat> format = VideoFormatFor(path);
  if (!format) {
    error = path + ": a video file name ends in .mp4 or .webm";
    return nullptr;
  }
  std::unique_ptr<VideoWriter> writer =
      VideoWriter::Open({path, *format, kVideoWidth, kVideoHeight, kVideoFramesPerSecond}, error);
  if (!writer) return nullptr;
  return std::unique_ptr<VideoRecording>(new VideoRecording(std::make_unique<Parts>(std::move(writer), assetsDir)));
}

bool VideoRecording::AddTick(const std::uint32_t* canvasPixels, int canvasWidth, int canvasHeight,
                             const std::vector<std::string>& sounds, std::string& error) {
  Parts& p = *parts_;
  if (!canvasPixels || canvasWidth < kVideoWidth || canvasHeight < kVideoHeight) {
    error = "the canvas is smaller than the video's picture";
    return false;
  }
  if (!p.writer->AddFrame(canvasPixels, canvasWidth, error)) return false;
  p.tickAudio.clear();
  p.track.AddTick(sounds, p.tickAudio);
  return p.writer->AddAudio(p.tickAudio.data(), p.tickAudio.size(), error);
}

bool VideoRecording::Finish(std::string& error) { return parts_->writer->Finish(error); }
