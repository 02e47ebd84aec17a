#pragma once
#include <cstdio>
#include <string>
#include <string_view>

// An output file written a line at a time while a session runs. Each line
// is handed to the system as soon as it is written, so a crash or a kill
// loses at most the line being written. A failed write is remembered, the
// file takes nothing more, and Close reports it.
class LineFile {
 public:
  LineFile() = default;
  LineFile(const LineFile&) = delete;
  LineFile& operator=(const LineFile&) = delete;
  ~LineFile();

  // Creates (or empties) the file, or with `append` goes on at its end;
  // false when it cannot be opened.
  bool Open(const std::string& name, bool append = false);
  bool IsOpen() const { return file_ != nullptr; }
  const std::string& Name() const { return name_; }

  // Writes `line` and a newline.
  void WriteLine(std::string_view line);

  // Closes the file; true when every line reached it. A file never opened
  // closes without fault.
  bool Close();

 private:
  std::FILE* file_ = nullptr;
  std::string name_;
  bool failed_ = false;
};
