#include "app/session/session_files.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "formats/whole_file.h"

std::filesystem::path SessionFilePath(const std::string& name) {
#ifdef _WIN32
  return std::filesystem::path(std::u8string(name.begin(), name.end()));
#else
  return std::filesystem::path(name);
#endif
}

std::string SessionFileName(const std::filesystem::path& path) {
#ifdef _WIN32
  const std::u8string name = path.u8string();
  return std::string(name.begin(), name.end());
#else
  return path.string();
#endif
}

namespace {

std::filesystem::path SessionPath(const std::string& name) { return SessionFilePath(name); }

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

bool SessionFileExists(const std::string& name) {
  std::error_code error;
  return std::filesystem::exists(SessionPath(name), error);
}

bool ReplaceSessionFile(const std::string& name, const void* bytes, std::size_t size) {
  std::string error;
  return WriteWholeFile(SessionPath(name), bytes, size, error);
}

bool RenameSessionFile(const std::string& from, const std::string& to) {
  std::error_code error;
#ifdef __EMSCRIPTEN__
  // The page's in-memory file system, renaming onto a file, leaves the
  // replaced file findable under the name that was moved away: removed
  // first, it is gone. Nothing there is lost by the gap in between, as the
  // files reach the browser's storage only whole, when the page syncs them.
  std::filesystem::remove(SessionPath(to), error);
#endif
  std::filesystem::rename(SessionPath(from), SessionPath(to), error);
  return !error;
}

std::string PlayerFolder([[maybe_unused]] const wchar_t* windowsVariable, [[maybe_unused]] const char* xdgVariable,
                         [[maybe_unused]] const char* homeFallback) {
#ifdef _WIN32
  const wchar_t* base = _wgetenv(windowsVariable);
  if (!base || !*base) return {};
  return SessionFileName(std::filesystem::path(base) / "Marobel");
#else
  if (const char* xdg = std::getenv(xdgVariable); xdg && *xdg == '/')
    return SessionFileName(std::filesystem::path(xdg) / "marobel");
  const char* home = std::getenv("HOME");
  if (!home || !*home) return {};
  return SessionFileName(std::filesystem::path(home) / homeFallback / "marobel");
#endif
}
