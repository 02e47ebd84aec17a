#include "app/session/line_file.h"

#include "app/session/session_files.h"

LineFile::~LineFile() { Close(); }

bool LineFile::Open(const std::string& name, bool append) {
  Close();
  name_ = name;
  failed_ = false;
  // Binary: the lines end in '\n' on every system, as the runner writes them.
  file_ = OpenSessionFile(name, append ? "ab" : "wb");
  return file_ != nullptr;
}

void LineFile::WriteLine(std::string_view line) {
  if (!file_ || failed_) return;
  if (std::fwrite(line.data(), 1, line.size(), file_) != line.size() || std::fputc('\n', file_) == EOF ||
      std::fflush(file_) != 0)
    failed_ = true;
}

bool LineFile::Close() {
  if (!file_) return !failed_;
  if (std::fclose(file_) != 0) failed_ = true;
  file_ = nullptr;
  return !failed_;
}
