#include "app/session/session_files.h"

#include <cstring>
#include <filesystem>

namespace {

std::filesystem::path SessionPath(const std::string& name) {
#ifdef _WIN32
  return std::filesystem::path(std::u8string(name.begin(), name.end()));
#else
  return std::filesystem::path(name);
#endif
}

}  // namespace

std::FILE* OpenSessionFile(const std::string& name, const char* mode) {
#ifdef _WIN32
  const std::filesystem::path path = SessionPath(name);
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

bool SameSessionFile(const std::string& a, const std::string& b) {
  if (a == b) return true;
  std::error_code error;
  return std::filesystem::equivalent(SessionPath(a), SessionPath(b), error) && !error;
}

void RemoveSessionFile(const std::string& name) {
  std::error_code error;
  std::filesystem::remove(SessionPath(name), error);
}
