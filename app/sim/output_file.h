#pragma once
#include <cstdio>
#include <string>

// An output file that shows up under its name only when it is complete: it
// is written to a temporary file beside the name and renamed over it by
// Commit, so a run that fails or is killed never leaves a file that looks
// finished. A name that is not a regular file (/dev/null, a pipe, a
// terminal) is written in place, since nothing can be renamed over it.
class OutputFile {
 public:
  OutputFile() = default;
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  ~OutputFile();  // an uncommitted temporary file is removed

  // Opens for writing; false with a one-line reason naming the path.
  bool Open(const std::string& path, std::string& error);
  std::FILE* Stream() const { return file_; }
  // Flushes, closes and puts the file in place; false with a reason when any
  // write failed or the file cannot be completed.
  bool Commit(std::string& error);

 private:
  std::string path_;
  std::string temporary_;  // empty when written in place
  std::FILE* file_ = nullptr;
};
