#include "canvas/file_stamp.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

namespace {
#ifdef _WIN32
std::int64_t Join(DWORD high, DWORD low) {
  return static_cast<std::int64_t>((static_cast<std::uint64_t>(high) << 32) | low);
}
#endif
}  // namespace

bool StampFile(const std::string& path, FileStamp& stamp) {
  stamp = FileStamp{};
#ifdef _WIN32
  // The ANSI entry point, as the game's file names are code page bytes.
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return false;
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return false;
  stamp.size = static_cast<std::uint64_t>(Join(data.nFileSizeHigh, data.nFileSizeLow));
  stamp.modified = Join(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime);
  stamp.changed = Join(data.ftCreationTime.dwHighDateTime, data.ftCreationTime.dwLowDateTime);
#else
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
  stamp.size = static_cast<std::uint64_t>(info.st_size);
  stamp.modified = static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
  stamp.changed = static_cast<std::int64_t>(info.st_ctim.tv_sec) * 1000000000 + info.st_ctim.tv_nsec;
  stamp.identity = static_cast<std::uint64_t>(info.st_ino) ^ (static_cast<std::uint64_t>(info.st_dev) << 40);
#endif
  return true;
}
