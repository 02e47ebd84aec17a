#pragma once
#include <cstdint>
#include <string>

// What identifies one version of a file on disk without reading it: a file
// rewritten in place changes its size or modification time, and one replaced
// by a rename changes its identity, so a picture edited between two frames
// is noticed by the next one.
struct FileStamp {
  std::uint64_t size = 0;
  std::int64_t modified = 0;  // nanoseconds (POSIX) or 100 ns units (Windows)
  std::int64_t changed = 0;   // status change (POSIX) or creation (Windows)
  std::uint64_t identity = 0;

  bool operator==(const FileStamp&) const = default;
};

// False when the path names no readable regular file. Read by the platform
// (marobel_platform).
bool StampFile(const std::string& path, FileStamp& stamp);
