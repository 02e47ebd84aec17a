#pragma once
#include <cstddef>
#include <memory>
#include <string>
#include <unordered_map>

#include "canvas/file_stamp.h"
#include "canvas/picture.h"

// Picture files by path, decoded once per version of the file. Every lookup
// asks the file system for the file's stamp, so a picture replaced or edited
// on disk is read again at its next use, and a file that disappears reads as
// missing at once; only the decoding is saved while the file stays the same.
class PictureCache {
 public:
  // The picture, or null when the file is missing, unreadable or not a
  // bitmap this reader accepts.
  std::shared_ptr<const Picture> Load(const std::string& path);

  void Clear();
  std::size_t EntryCount() const { return entries_.size(); }
  // How many times a file has been read and decoded, for tests and benchmarks.
  std::size_t DecodeCount() const { return decodes_; }

 private:
  struct Entry {
    FileStamp stamp;
    std::shared_ptr<const Picture> picture;  // null: not a usable picture
  };
  std::unordered_map<std::string, Entry> entries_;
  std::size_t cachedBytes_ = 0;
  std::size_t decodes_ = 0;
};

// Reads a whole file of at most `limit` bytes; false when it cannot be
// opened or holds more than that.
bool ReadFileBytes(const std::string& path, std::size_t limit, std::string& bytes);
