#pragma once
#include <memory>
#include <string>

// Every game played in a window is kept; one game before it is kept too,
// as "the previous game", so that starting a new game never loses the one
// left. The kept files (kept_game.h) are:
//   game.keys, game.snapshot                    the game being played
//   game.keys.previous, game.snapshot.previous  the one before it

inline constexpr const char* kPreviousSuffix = ".previous";

// Whether a previous game is kept, one "Continue the last game" can go
// back to.
bool PreviousGameExists(const std::string& folder);

// The kept game becomes the previous one, replacing the one before; the
// kept files are left free for a new game. A kept game without a single
// press is no game worth keeping: it is removed and the previous one stays.
void SetKeptGameAsPrevious(const std::string& folder);

// The previous game becomes the kept one, to be continued, and the kept
// game the previous one (unless it has no press, as above).
void TakeUpPreviousGame(const std::string& folder);

// Holds a kept-game folder for one process: two windows keeping one game
// would write over each other's record. Released when destroyed (and by
// the system when the process ends, however it ends).
class KeptFolderLock {
 public:
  // Null when another process holds the folder.
  static std::unique_ptr<KeptFolderLock> Take(const std::string& folder);
  ~KeptFolderLock();
  KeptFolderLock(const KeptFolderLock&) = delete;
  KeptFolderLock& operator=(const KeptFolderLock&) = delete;

 private:
  KeptFolderLock() = default;
#ifdef _WIN32
  void* handle_ = nullptr;
#else
  int descriptor_ = -1;
#endif
};
