#include "app/sim/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

OutputFile::~OutputFile() {
  if (file_) std::fclose(file_);
  if (!temporary_.empty()) ::unlink(temporary_.c_str());
}

bool OutputFile::Open(const std::string& path, std::string& error) {
  path_ = path;
  struct stat st {};
  const bool exists = ::stat(path.c_str(), &st) == 0;
  if (exists && !S_ISREG(st.st_mode)) {
    file_ = std::fopen(path.c_str(), "wb");
  } else {
    std::string pattern = path + ".partial-XXXXXX";
    const int fd = ::mkstemp(pattern.data());
    if (fd >= 0) {
      // mkstemp makes the file private; give it the mode a plain create would.
      const mode_t mask = ::umask(0);
      ::umask(mask);
      ::fchmod(fd, (exists ? st.st_mode : 0666) & ~mask & 0777);
      file_ = ::fdopen(fd, "wb");
      if (file_) {
        temporary_ = pattern;
      } else {
        ::close(fd);
        ::unlink(pattern.c_str());
      }
    }
  }
  if (!file_) error = path + ": cannot open for writing (" + std::strerror(errno) + ")";
  return file_ != nullptr;
}

bool OutputFile::Commit(std::string& error) {
  if (!file_) {
    error = path_ + ": not open";
    return false;
  }
  bool ok = std::ferror(file_) == 0;
  ok = std::fflush(file_) == 0 && ok;
  ok = std::fclose(file_) == 0 && ok;
  file_ = nullptr;
  if (ok && !temporary_.empty()) {
    ok = std::rename(temporary_.c_str(), path_.c_str()) == 0;
    if (ok) temporary_.clear();
  }
  if (!ok) error = path_ + ": could not be written completely";
  return ok;
}
