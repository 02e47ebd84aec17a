#include "app/sim/video_format.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

std::optional<VideoFormat> VideoFormatFor(const std::string& path) {
  std::string extension = std::filesystem::path(path).extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (extension == ".mp4") return VideoFormat::Mp4;
  if (extension == ".webm") return VideoFormat::WebM;
  return std::nullopt;
}

bool VideoSupported() {
#ifdef MAROBEL_VIDEO
  return true;
#else
  return false;
#endif
}
