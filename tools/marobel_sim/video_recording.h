#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// A run recorded as a video: each tick's frame as the window shows it, and
// the tick's sound cues in the sound track.
class VideoRecording {
 public:
  // Null, with a one-line reason, when the video cannot be started (or this
  // build has no video support).
  static std::unique_ptr<VideoRecording> Start(const std::string& path, const std::string& assetsDir,
                                               std::string& error);
  ~VideoRecording();

  // The frame just composed (0x00RRGGBB, rows top-down) and the sounds
  // requested during the tick, in request order.
  bool AddTick(const std::uint32_t* canvasPixels, int canvasWidth, int canvasHeight,
               const std::vector<std::string>& sounds, std::string& error);
  // Completes the file; without it the file is removed.
  bool Finish(std::string& error);

 private:
  struct Parts;
  explicit VideoRecording(std::unique_ptr<Parts> parts);
  std::unique_ptr<Parts> parts_;
};
