// The one writer of every output and kept file: a kill at any step of a
// write leaves the old file or the new one, whole, under the name.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/session/kept_game.h"
#include "cabinet/cabinet.h"
#include "cabinet/snapshot.h"
#include "formats/whole_file.h"
#include "tests/test_support.h"

namespace fs = std::filesystem;

namespace {

fs::path FreshFolder(const char* name) {
  const fs::path dir = fs::temp_directory_path() / ("marobel-whole-" + std::to_string(::getpid()) + "-" + name);
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir;
}

std::vector<std::uint8_t> Bytes(const std::string& path) {
  const std::string text = Slurp(path);
  return {text.begin(), text.end()};
}

// The step of a write at which the child kills itself, counted from 1.
int killAtStep = 0;
int stepsSeen = 0;
void KillAtStep(WholeFileStep) {
  if (++stepsSeen == killAtStep) ::raise(SIGKILL);
}

// Runs `write` in a child process that is killed at step `step` of it;
// true when the kill came, false when the write finished first.
template <typename Write>
bool KilledAt(int step, Write write) {
  const pid_t child = ::fork();
  if (child == 0) {
    killAtStep = step;
    SetWholeFileHook(KillAtStep);
    ::_exit(write() ? 0 : 1);
  }
  int status = 0;
  EXPECT_EQ(::waitpid(child, &status, 0), child);
  if (WIFSIGNALED(status)) return WTERMSIG(status) == SIGKILL;
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the write failed at step " << step;
  return false;
}

TEST(WholeFile, AKeptSnapshotKilledAtAnyStepIsTheOldOrTheNewGame) {
  NullWindow window;
  StartFreshGame(window);
  for (int t = 0; t < 40; ++t) cabinet::Tick();
  const std::vector<std::uint8_t> before = SaveSnapshot();
  for (int t = 0; t < 300; ++t) {
    if (t % 9 == 0) cabinet::KeyDown(t % 2 ? 0x25 : 0x27);
    cabinet::Tick();
  }
  const std::vector<std::uint8_t> after = SaveSnapshot();
  ASSERT_NE(before, after);
  ASSERT_GT(after.size(), 2 * kWholeFilePiece) << "too small a game to be killed between pieces";

  const fs::path folder = FreshFolder("kept");
  const std::string snapshot = InFolder(folder.string(), kKeptSnapshotName);
  int kills = 0;
  bool finished = false;
  for (int step = 1; !finished && step < 100; ++step) {
    std::string error;
    ASSERT_TRUE(WriteWholeFile(snapshot, before.data(), before.size(), error)) << error;
    // The child writes the later game over the earlier one.
    finished = !KilledAt(
        step, [&] { return LoadSnapshot(after.data(), after.size(), error) && WriteKeptSnapshot(folder.string()); });
    kills += !finished;
    const std::vector<std::uint8_t> left = Bytes(snapshot);
    EXPECT_TRUE(left == before || left == after) << "a torn snapshot after a kill at step " << step;
    EXPECT_TRUE(LoadSnapshot(left.data(), left.size(), error)) << "step " << step << ": " << error;
    if (finished) {
      EXPECT_EQ(left, after);
    }
    for (const auto& entry : fs::directory_iterator(folder)) {
      if (entry.path() != fs::path(snapshot)) fs::remove(entry.path());
    }
  }
  EXPECT_TRUE(finished);
  // Created, each piece, synced, renamed, folder synced.
  EXPECT_GE(kills, static_cast<int>(after.size() / kWholeFilePiece) + 3);
  fs::remove_all(folder);
}

TEST(WholeFile, WritersOfOneNameNeverShareATemporaryFile) {
  const fs::path folder = FreshFolder("shared");
  const fs::path name = folder / "out.txt";
  WholeFile first, second;
  std::string error;
  ASSERT_TRUE(first.Open(name, error)) << error;
  ASSERT_TRUE(second.Open(name, error)) << error;
  EXPECT_NE(first.WritePath(), second.WritePath());
  std::fputs("first\n", first.Stream());
  std::fputs("second\n", second.Stream());
  ASSERT_TRUE(second.Commit(error)) << error;
  ASSERT_TRUE(first.Commit(error)) << error;
  EXPECT_EQ(Slurp(name.string()), "first\n");
  // An uncommitted write leaves nothing behind, and the file as it was.
  {
    WholeFile abandoned;
    ASSERT_TRUE(abandoned.Open(name, error)) << error;
    std::fputs("never\n", abandoned.Stream());
  }
  EXPECT_EQ(Slurp(name.string()), "first\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
  fs::remove_all(folder);
}

TEST(WholeFile, KeepsTheModeOfTheFileItReplacesAndReportsFailures) {
  const fs::path folder = FreshFolder("mode");
  const fs::path name = folder / "shared.json";
  std::string error;
  // A new file gets what a plain create gives it under the umask.
  const mode_t mask = ::umask(027);
  ASSERT_TRUE(WriteWholeFile(folder / "new.json", "{}", 2, error)) << error;
  std::FILE* plain = std::fopen((folder / "plain.json").c_str(), "wb");
  ::umask(mask);
  ASSERT_NE(plain, nullptr);
  std::fclose(plain);
  EXPECT_EQ(fs::status(folder / "new.json").permissions(), fs::status(folder / "plain.json").permissions());
  EXPECT_EQ(fs::status(folder / "new.json").permissions() & fs::perms::mask,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  ASSERT_TRUE(WriteWholeFile(name, "{}", 2, error)) << error;
  fs::permissions(name, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  ASSERT_TRUE(WriteWholeFile(name, "{ }", 3, error)) << error;
  EXPECT_EQ(fs::status(name).permissions() & fs::perms::mask,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

  EXPECT_FALSE(WriteWholeFile(folder / "missing" / "x", "x", 1, error));
  EXPECT_NE(error.find("missing"), std::string::npos) << error;
  // Not a regular file: written in place, and a full device is a failure.
  EXPECT_TRUE(WriteWholeFile("/dev/null", "x", 1, error)) << error;
  EXPECT_FALSE(WriteWholeFile("/dev/full", "x", 1, error));
  EXPECT_NE(error.find("/dev/full"), std::string::npos) << error;
  fs::remove_all(folder);
}

TEST(WholeFile, PrivateFoldersAreForTheOwnerAlone) {
  const fs::path root = FreshFolder("private");
  const fs::path state = root / "state" / "marobel";
  ASSERT_TRUE(MakePrivateFolder(state));
  for (const fs::path& made : {root / "state", state}) {
    struct stat st {};
    ASSERT_EQ(::stat(made.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u) << made;
  }
  EXPECT_TRUE(MakePrivateFolder(state));  // already there
  std::string error;
  ASSERT_TRUE(WriteWholeFile(root / "file", "x", 1, error));
  EXPECT_FALSE(MakePrivateFolder(root / "file"));
  fs::remove_all(root);
}

}  // namespace
