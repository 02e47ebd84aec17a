#pragma once
#include <cstddef>
#include <cstdio>
#include <filesystem>
#include <string>

// A file that appears under its name whole or not at all. It is written to
// a temporary file of a unique name in the same folder, flushed to the disk
// and renamed over the name; on POSIX the folder is then flushed too, so the
// rename itself survives a power cut. A kill, a crash or a full disk at any
// moment leaves either the old file or the new one under the name, never a
// part of one (at worst a stray temporary file beside it).
//
// A name that is not a regular file (/dev/null, a pipe, a terminal) is
// written in place, since nothing can be renamed over it.
class WholeFile {
 public:
  WholeFile() = default;
  WholeFile(const WholeFile&) = delete;
  WholeFile& operator=(const WholeFile&) = delete;
  ~WholeFile();  // an uncommitted temporary file is removed

  // Creates the temporary file; false with a one-line reason naming the path.
  bool Open(const std::filesystem::path& path, std::string& error);
  // Where to write: the temporary file, or the name itself when written in
  // place. For writers that open the file themselves by its name.
  const std::filesystem::path& WritePath() const;
  std::FILE* Stream() const { return file_; }

  // Flushes everything to the disk and puts the file in place; false with a
  // reason when any write failed, and then the old file is left as it was.
  bool Commit(std::string& error);

 private:
  std::filesystem::path path_;
  std::filesystem::path temporary_;  // empty when written in place
  std::FILE* file_ = nullptr;
};

// Writes `bytes` under `path` as a WholeFile.
bool WriteWholeFile(const std::filesystem::path& path, const void* bytes, std::size_t size, std::string& error);

// Makes a folder (and its parents) that only its owner may enter: on POSIX
// a folder it creates gets mode 0700. True when the folder is there.
bool MakePrivateFolder(const std::filesystem::path& folder);

// For tests of what a kill leaves behind: a function called at each step of
// a write, so that a test can stop the process at any of them. With a hook
// set, WriteWholeFile writes in pieces of kWholeFilePiece bytes, each one a
// step (without, in one piece).
enum class WholeFileStep {
  Created,       // the temporary file exists, empty
  WrotePiece,    // one more piece is written (not yet flushed to the disk)
  Synced,        // the temporary file is on the disk
  Renamed,       // the name holds the new file
  FolderSynced,  // the rename is on the disk
};
inline constexpr std::size_t kWholeFilePiece = 512;
using WholeFileHook = void (*)(WholeFileStep step);
void SetWholeFileHook(WholeFileHook hook);
