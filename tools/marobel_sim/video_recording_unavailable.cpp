// The video recording of a build configured without FFmpeg's libraries:
// it never starts, and says why.
#include "tools/marobel_sim/video_recording.h"

struct VideoRecording::Parts {};

VideoRecording::VideoRecording(std::unique_ptr<Parts> parts) : parts_(std::move(parts)) {}
VideoRecording::~VideoRecording() = default;

std::unique_ptr<VideoRecording> VideoRecording::Start(const std::string&, const std::string&, std::string& error) {
  error = "this build of marobel-sim has no video support (it was configured without FFmpeg's libraries)";
  return nullptr;
}

bool VideoRecording::AddTick(const std::uint32_t*, int, int, const std::vector<std::string>&, std::string&) {
  return false;
}

bool VideoRecording::Finish(std::string&) { return false; }
