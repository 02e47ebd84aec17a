#include "formats/whole_file.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cerrno>
#include <cstring>
#include <system_error>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

WholeFileHook hook = nullptr;

void Step(WholeFileStep step) {
  if (hook) hook(step);
}

std::string Reason(const std::filesystem::path& path, const char* what) { return path.string() + ": " + what; }

#ifdef _WIN32

std::FILE* CreateTemporary(const std::filesystem::path& path, std::filesystem::path& temporary) {
  static unsigned counter = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::filesystem::path candidate = path;
    candidate += L".partial-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(GetTickCount()) + L"-" +
                 std::to_wstring(counter++);
    HANDLE handle =
        CreateFileW(candidate.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
      if (GetLastError() == ERROR_FILE_EXISTS) continue;
      return nullptr;
    }
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_BINARY | _O_WRONLY);
    if (fd < 0) {
      CloseHandle(handle);
      DeleteFileW(candidate.c_str());
      return nullptr;
    }
    std::FILE* file = _fdopen(fd, "wb");
    if (!file) {
      _close(fd);
      DeleteFileW(candidate.c_str());
      return nullptr;
    }
    temporary = candidate;
    return file;
  }
  return nullptr;
}

bool SyncFile(std::FILE* file) {
  return FlushFileBuffers(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)))) != 0;
}

bool Rename(const std::filesystem::path& from, const std::filesystem::path& to) {
  return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

// MoveFileEx's write-through already waits for the rename to be on the disk.
void SyncFolder(const std::filesystem::path&) {}

std::FILE* OpenInPlace(const std::filesystem::path& path) { return _wfopen(path.c_str(), L"wb"); }

#else

// A name no other file in the folder has: the process, the time and a
// count keep writers apart, and O_EXCL makes sure. The file is created as a
// plain create makes one, the system applying the umask itself: asking for
// the umask would change it for every thread for a moment, and the page's
// system answers with a mask that its creates do not apply. A file that is
// replaced keeps its own mode.
std::FILE* CreateTemporary(const std::filesystem::path& path, std::filesystem::path& temporary) {
  static std::atomic<unsigned> counter{0};
  struct stat old {};
  const bool replacing = ::stat(path.c_str(), &old) == 0;
  const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string candidate = path.string() + ".partial-" + std::to_string(::getpid()) + "-" + std::to_string(now) +
                                  "-" + std::to_string(counter++);
    const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
      if (errno == EEXIST) continue;
      return nullptr;
    }
    if (replacing) ::fchmod(fd, old.st_mode & 0777);
    std::FILE* file = ::fdopen(fd, "wb");
    if (!file) {
      ::close(fd);
      ::unlink(candidate.c_str());
      return nullptr;
    }
    temporary = candidate;
    return file;
  }
  return nullptr;
}

bool SyncFile(std::FILE* file) {
  const int fd = ::fileno(file);
  if (::fsync(fd) == 0) return true;
  // Some file systems (and the page's, in memory) have nothing to flush.
  return errno == EINVAL || errno == ENOSYS;
}

bool Rename(const std::filesystem::path& from, const std::filesystem::path& to) {
#ifdef __EMSCRIPTEN__
  // The page's in-memory file system, renaming onto a file, leaves the
  // replaced file findable under the name that was moved away: removed
  // first, it is gone. Nothing there is lost by the gap in between, as the
  // files reach the browser's storage only whole, when the page syncs them.
  ::unlink(to.c_str());
#endif
  return std::rename(from.c_str(), to.c_str()) == 0;
}

// The rename is an entry of the folder: it lasts once the folder is flushed.
// The file is in place by now, so a folder that cannot be flushed is no
// failure of the write.
void SyncFolder(const std::filesystem::path& path) {
  std::filesystem::path folder = path.parent_path();
  if (folder.empty()) folder = ".";
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

std::FILE* OpenInPlace(const std::filesystem::path& path) { return std::fopen(path.c_str(), "wb"); }

#endif

}  // namespace

void SetWholeFileHook(WholeFileHook h) { hook = h; }

WholeFile::~WholeFile() {
  if (file_) std::fclose(file_);
  if (!temporary_.empty()) {
    std::error_code ignored;
    std::filesystem::remove(temporary_, ignored);
  }
}

const std::filesystem::path& WholeFile::WritePath() const { return temporary_.empty() ? path_ : temporary_; }

bool WholeFile::Open(const std::filesystem::path& path, std::string& error) {
  path_ = path;
  std::error_code ec;
  const std::filesystem::file_status status = std::filesystem::status(path, ec);
  if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status))
    file_ = OpenInPlace(path);
  else
    file_ = CreateTemporary(path, temporary_);
  if (!file_) {
    error = path.string() + ": cannot open for writing (" + std::strerror(errno) + ")";
    return false;
  }
  Step(WholeFileStep::Created);
  return true;
}

bool WholeFile::Commit(std::string& error) {
  if (!file_) {
    error = Reason(path_, "not open");
    return false;
  }
  bool ok = std::ferror(file_) == 0;
  ok = std::fflush(file_) == 0 && ok;
  if (!temporary_.empty()) {
    ok = ok && SyncFile(file_);
    if (ok) Step(WholeFileStep::Synced);
  }
  ok = std::fclose(file_) == 0 && ok;
  file_ = nullptr;
  if (ok && !temporary_.empty()) {
    ok = Rename(temporary_, path_);
    if (ok) {
      temporary_.clear();
      Step(WholeFileStep::Renamed);
      SyncFolder(path_);
      Step(WholeFileStep::FolderSynced);
    }
  }
  if (!ok) error = Reason(path_, "could not be written completely");
  return ok;
}

bool WriteWholeFile(const std::filesystem::path& path, const void* bytes, std::size_t size, std::string& error) {
  WholeFile file;
  if (!file.Open(path, error)) return false;
  const auto* from = static_cast<const unsigned char*>(bytes);
  for (std::size_t done = 0; done < size;) {
    const std::size_t piece = hook ? std::min(kWholeFilePiece, size - done) : size - done;
    if (std::fwrite(from + done, 1, piece, file.Stream()) != piece || std::fflush(file.Stream()) != 0) break;
    done += piece;
    Step(WholeFileStep::WrotePiece);
  }
  return file.Commit(error);
}

bool MakePrivateFolder(const std::filesystem::path& folder) {
  std::error_code ec;
#ifdef _WIN32
  std::filesystem::create_directories(folder, ec);
#else
  // Each folder made on the way is private too: above the state folder
  // there may be a state home that did not exist either.
  std::filesystem::path made;
  for (const std::filesystem::path& part : folder) {
    made /= part;
    // The root and folders already there are left as they are: some file
    // systems answer mkdir on them with another error than EEXIST.
    if (std::filesystem::is_directory(made, ec)) continue;
    if (::mkdir(made.c_str(), 0700) != 0 && errno != EEXIST) break;
  }
#endif
  return std::filesystem::is_directory(folder, ec);
}
