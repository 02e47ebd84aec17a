#include <windows.h>

#include "canvas/file_stamp.h"

namespace {
std::int64_t Join(DWORD high, DWORD low) {
  return static_cast<std::int64_t>((static_cast<std::uint64_t>(high) << 32) | low);
}
}  // namespace

bool StampFile(const std::string& path, FileStamp& stamp) {
  stamp = FileStamp{};
  // The ANSI entry point, as the game's file names are code page bytes.
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return false;
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return false;
  stamp.size = static_cast<std::uint64_t>(Join(data.nFileSizeHigh, data.nFileSizeLow));
  stamp.modified = Join(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime);
  stamp.changed = Join(data.ftCreationTime.dwHighDateTime, data.ftCreationTime.dwLowDateTime);
  return true;
}
