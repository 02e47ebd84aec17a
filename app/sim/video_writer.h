#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "app/sim/video_format.h"

// Encodes pictures and a mono sound track into a video file with FFmpeg's
// libraries. The file is written under a temporary name next to the target
// and only takes the target's name when Finish succeeds; a writer destroyed
// unfinished removes what it wrote, so a broken run never leaves a file
// that looks complete.
class VideoWriter {
 public:
  struct Settings {
    std::string path;
    VideoFormat format = VideoFormat::Mp4;
    int width = 0;   // even
    int height = 0;  // even
    int framesPerSecond = 0;
  };

  // The sound track's sample rate, which both audio encoders take.
  static constexpr int kAudioRate = 48000;

  // Null, with a one-line reason, when the file or an encoder cannot be opened.
  static std::unique_ptr<VideoWriter> Open(const Settings& settings, std::string& error);
  ~VideoWriter();

  // One picture: the top-left width by height of 0x00RRGGBB pixels whose
  // rows are `rowPixels` apart.
  bool AddFrame(const std::uint32_t* pixels, int rowPixels, std::string& error);
  // Mono samples from -1 to 1 at kAudioRate, continuing the track.
  bool AddAudio(const float* samples, std::size_t count, std::string& error);
  // Flushes the encoders, completes the file and gives it its name.
  bool Finish(std::string& error);

 private:
  struct State;
  explicit VideoWriter(std::unique_ptr<State> state);
  std::unique_ptr<State> state_;
};
