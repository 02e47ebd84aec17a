#include "app/session/kept_game_shelf.h"

#include "app/session/kept_game.h"
#include "app/session/key_script.h"
#include "app/session/session_files.h"

#ifdef _WIN32
#include <windows.h>
#elif !defined(__EMSCRIPTEN__)
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace {

constexpr const char* kKeptNames[] = {kKeptRecordName, kKeptSnapshotName};

std::string Previous(const std::string& folder, const char* name) { return InFolder(folder, name) + kPreviousSuffix; }

// A record with no press line: the game was opened and left untouched.
bool HasPresses(const std::string& folder) {
  std::string record;
  if (!ReadSessionFile(InFolder(folder, kKeptRecordName), record)) return false;
  const KeyScriptResult script = ParseKeyScript(record);
  // A damaged record may still hold a game: it is kept, not judged here.
  return !script.ok || !script.presses.empty();
}

void Move(const std::string& from, const std::string& to) {
  RemoveSessionFile(to);
  if (SessionFileExists(from)) RenameSessionFile(from, to);
}

}  // namespace

bool PreviousGameExists(const std::string& folder) {
  return !folder.empty() && SessionFileExists(Previous(folder, kKeptRecordName));
}

void SetKeptGameAsPrevious(const std::string& folder) {
  if (!SessionFileExists(InFolder(folder, kKeptRecordName)) && !SessionFileExists(InFolder(folder, kKeptSnapshotName)))
    return;
  const bool worthKeeping = HasPresses(folder);
  for (const char* name : kKeptNames) {
    if (worthKeeping)
      Move(InFolder(folder, name), Previous(folder, name));
    else
      RemoveSessionFile(InFolder(folder, name));
  }
}

void TakeUpPreviousGame(const std::string& folder) {
  const bool keepCurrent = HasPresses(folder);
  for (const char* name : kKeptNames) {
    const std::string kept = InFolder(folder, name), previous = Previous(folder, name);
    const std::string swapping = kept + ".swapping";
    if (keepCurrent) Move(kept, swapping);
    Move(previous, kept);
    if (keepCurrent)
      Move(swapping, previous);
    else
      RemoveSessionFile(swapping);
  }
}

#ifdef _WIN32
std::unique_ptr<KeptFolderLock> KeptFolderLock::Take(const std::string& folder) {
  const std::wstring name = SessionFilePath(InFolder(folder, "game.lock")).wstring();
  // No sharing: a second process cannot open it while this one holds it.
  HANDLE handle = CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return nullptr;
  std::unique_ptr<KeptFolderLock> lock(new KeptFolderLock);
  lock->handle_ = handle;
  return lock;
}
KeptFolderLock::~KeptFolderLock() { CloseHandle(static_cast<HANDLE>(handle_)); }
#elif defined(__EMSCRIPTEN__)
// A page is one tab's: the browser keeps each tab's storage apart enough.
std::unique_ptr<KeptFolderLock> KeptFolderLock::Take(const std::string&) {
  return std::unique_ptr<KeptFolderLock>(new KeptFolderLock);
}
KeptFolderLock::~KeptFolderLock() = default;
#else
std::unique_ptr<KeptFolderLock> KeptFolderLock::Take(const std::string& folder) {
  const int descriptor = open(InFolder(folder, "game.lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (descriptor < 0) return nullptr;
  if (flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
    close(descriptor);
    return nullptr;
  }
  std::unique_ptr<KeptFolderLock> lock(new KeptFolderLock);
  lock->descriptor_ = descriptor;
  return lock;
}
KeptFolderLock::~KeptFolderLock() { close(descriptor_); }
#endif
