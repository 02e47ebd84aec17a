#include "app/session/session_files.h"

#include <cstring>
#include <filesystem>

std::FILE* OpenSessionFile(const std::string& name, const char* mode) {
#ifdef _WIN32
  const std::filesystem::path path(std::u8string(name.begin(), name.end()));
  const std::wstring wideMode(mode, mode + std::strlen(mode));
  return _wfopen(path.c_str(), wideMode.c_str());
#else
  return std::fopen(name.c_str(), mode);
#endif
}

bool ReadSessionFile(const std::string& name, std::string& text) {
  std::FILE* file = OpenSessionFile(name, "rb");
  if (!file) return false;
  text.clear();
  char buffer[64 * 1024];
  std::size_t n = 0;
  while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, n);
  const bool ok = !std::ferror(file);
  std::fclose(file);
  return ok;
}
