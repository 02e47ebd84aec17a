// Finds and loads the video module when a run asks for a video.
#include <dlfcn.h>

#include <filesystem>
#include <utility>
#include <vector>

#include "app/sim/video_format.h"
#include "app/sim/video_recording.h"

namespace {

// Beside the runner (a build tree), then where an install puts the module
// relative to the runner's own folder.
std::vector<std::filesystem::path> ModuleCandidates() {
  std::error_code ec;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return {};
  const std::filesystem::path folder = self.parent_path();
  return {folder / kVideoModuleName, folder / MAROBEL_VIDEO_MODULE_FROM_RUNNER / kVideoModuleName};
}

}  // namespace

std::unique_ptr<VideoRecording> VideoRecording::Start(const std::string& path, int framesPerSecond,
                                                      SoundResolver sounds, std::string& error) {
  if (!VideoSupported()) {
    error = "this build of marobel-sim has no video support (it was configured without FFmpeg's libraries)";
    return nullptr;
  }
  std::string tried;
  for (const std::filesystem::path& candidate : ModuleCandidates()) {
    if (!std::filesystem::exists(candidate)) continue;
    // Kept loaded for the rest of the process: the recording's code lives there.
    void* module = dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module) {
      error = "cannot load the video module: " + std::string(dlerror());
      return nullptr;
    }
    const auto start = reinterpret_cast<StartVideoRecordingFunction>(dlsym(module, kStartVideoRecordingSymbol));
    if (!start) {
      error = candidate.string() + " is not marobel-sim's video module";
      return nullptr;
    }
    return std::unique_ptr<VideoRecording>(start(path, framesPerSecond, std::move(sounds), error));
  }
  error =
      std::string("the video module ") + kVideoModuleName + " is missing (it is built and installed with marobel-sim)";
  return nullptr;
}
