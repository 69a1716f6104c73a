// Saving when the disk will not take the level: a missing directory, a read-only directory, a
// file size limit hit part-way through the write, and a file system that fills up. Each fault
// runs in a forked child, which is where the limit, the mount or the lower privilege live; the
// child also shows that the editor carries on by saving once more after the fault. Every case
// checks that the previous file of the level is byte for byte what it was, that no temporary
// file is left behind, and that a message was printed.

#include "storage/level_file.h"
#include "storage_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <functional>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>

namespace {

namespace fs = std::filesystem;

const std::string LevelName = "Niveau 1";
const std::string AuthorName = "Ada";

// Exit codes of the children.
constexpr int ChildOk = 0;
constexpr int ChildUnavailable = 77;

struct ChildResult {
  int exitCode = -1;
  std::string output;
};

// Runs body in a forked child with its standard output caught; body's result is the exit code.
// The output goes through a pipe, which no file size limit of the child can cut short.
ChildResult runInChild(const std::function<int()> &body) {
  ChildResult result;
  int ends[2];
  if (pipe(ends) != 0)
    return result;
  std::fflush(stdout);
  pid_t pid = fork();
  if (pid == 0) {
    close(ends[0]);
    dup2(ends[1], STDOUT_FILENO);
    int code = body();
    std::fflush(stdout);
    _exit(code);
  }
  close(ends[1]);
  char chunk[4096];
  ssize_t got;
  while ((got = read(ends[0], chunk, sizeof chunk)) > 0)
    result.output.append(chunk, static_cast<std::size_t>(got));
  close(ends[0]);
  int status = 0;
  if (pid > 0 && waitpid(pid, &status, 0) == pid)
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return result;
}

// A level of n bricks laid row by row from the level's corner.
Bricks levelOf(int n, EditorState &state) {
  Bricks bricks{};
  for (int i = 0; i < n; ++i)
    bricks[i] = Brick{24 + 40 * (i % 18), 30 + 20 * (i / 18), 1 + i % 24};
  state = initialEditorState();
  state.brickCount = n;
  return bricks;
}

// Saves the small level the faults must not destroy; returns its bytes.
std::string savePrevious(const std::string &directory) {
  EditorState state;
  Bricks bricks = levelOf(2, state);
  EXPECT_EQ(saveLevel(state, bricks, LevelName, "Previous", directory), 1);
  std::string bytes = fileBytes(directory + LevelName + ".lvbk");
  EXPECT_EQ(bytes, "2\r\n24;30;1\r\n64;30;2\r\nPrevious");
  return bytes;
}

// The full level whose save the faults interrupt: a file of several kilobytes.
int saveFullLevel(const std::string &directory) {
  EditorState state;
  Bricks bricks = levelOf(BrickSlots, state);
  return saveLevel(state, bricks, LevelName, AuthorName, directory);
}

std::vector<std::string> entriesOf(const std::string &directory) {
  std::vector<std::string> names;
  for (const auto &entry : fs::directory_iterator(directory))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// After a fault: the previous level as it was, nothing else in the directory, a message.
void expectNothingLost(const std::string &directory, const std::string &previous,
                       const ChildResult &child) {
  EXPECT_EQ(fileBytes(directory + LevelName + ".lvbk"), previous);
  EXPECT_EQ(entriesOf(directory), std::vector<std::string>{LevelName + ".lvbk"})
      << "a temporary file was left behind";
  EXPECT_NE(child.output.find(LevelName + ".lvbk"), std::string::npos)
      << "no message naming the level file; printed: " << child.output;
}

// The child proves the editor carries on: a later save to a directory that works succeeds.
int saveElsewhere(const std::string &directory) {
  EditorState state;
  Bricks bricks = levelOf(3, state);
  saveLevel(state, bricks, "Suite", AuthorName, directory);
  return fileBytes(directory + "Suite.lvbk") == "3\r\n24;30;1\r\n64;30;2\r\n104;30;3\r\nAda"
             ? ChildOk
             : 3;
}

// Makes directory read-only for this process alone: a read-only bind mount in a mount
// namespace of its own (a user namespace too when not root). Only for a forked child.
bool mountReadOnly(const std::string &directory) {
  if (unshare(geteuid() == 0 ? CLONE_NEWNS : CLONE_NEWUSER | CLONE_NEWNS) != 0)
    return false;
  return mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
         mount(directory.c_str(), directory.c_str(), nullptr, MS_BIND, nullptr) == 0 &&
         mount(nullptr, directory.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) == 0;
}

// Root ignores permission bits: drop to an unprivileged user, for whom a directory of mode 0555
// owned by root is read-only. Only for a forked child.
bool dropToNobody() {
  if (geteuid() != 0)
    return true;
  return setgid(65534) == 0 && setuid(65534) == 0 && geteuid() == 65534;
}

TEST(SaveFaults, MissingDirectoryWritesNothingAndCarriesOn) {
  ScratchDirectory scratch;
  const std::string missing = scratch.path() + "niv/";
  const std::string other = scratch.path() + "other/";
  fs::create_directory(other);
  ChildResult child = runInChild([&] {
    if (saveFullLevel(missing) != 1)
      return 2;
    return saveElsewhere(other);
  });
  EXPECT_EQ(child.exitCode, ChildOk) << child.output;
  EXPECT_FALSE(fs::exists(missing)) << "saving must never create the directory";
  EXPECT_NE(child.output.find("Impossible d'ouvrir le fichier " + missing + LevelName + ".lvbk"),
            std::string::npos)
      << child.output;
}

TEST(SaveFaults, ReadOnlyDirectoryKeepsThePreviousLevel) {
  ScratchDirectory scratch;
  const std::string directory = scratch.path() + "niv/";
  const std::string other = scratch.path() + "other/";
  fs::create_directory(directory);
  fs::create_directory(other);
  chmod(other.c_str(), 0777);
  const std::string previous = savePrevious(directory);

  // First way: a read-only mount, which holds for root too.
  ChildResult child = runInChild([&] {
    if (!mountReadOnly(directory))
      return ChildUnavailable;
    if (saveFullLevel(directory) != 1)
      return 2;
    return saveElsewhere(other);
  });
  std::string way = "read-only bind mount";
  if (child.exitCode == ChildUnavailable) {
    // Second way: permission bits, with the child as an unprivileged user when we are root.
    way = "unprivileged user in a directory of mode 0555";
    chmod(scratch.path().c_str(), 0755);
    chmod(directory.c_str(), 0555);
    child = runInChild([&] {
      if (!dropToNobody())
        return ChildUnavailable;
      if (saveFullLevel(directory) != 1)
        return 2;
      return saveElsewhere(other);
    });
    chmod(directory.c_str(), 0755);
  }
  if (child.exitCode == ChildUnavailable)
    GTEST_SKIP() << "no way to make a directory read-only here (no mount namespace, no setuid)";
  RecordProperty("way", way);
  EXPECT_EQ(child.exitCode, ChildOk) << way << ": " << child.output;
  expectNothingLost(directory, previous, child);
}

// The file size limit stops the write at every point of the file in turn: in the count, in a
// brick line, at a buffer boundary, just before the author's name and at its last byte.
TEST(SaveFaults, WriteCutShortAtAnyByteKeepsThePreviousLevel) {
  ScratchDirectory scratch;
  const std::string directory = scratch.path() + "niv/";
  const std::string other = scratch.path() + "other/";
  fs::create_directory(directory);
  fs::create_directory(other);

  // The full level's size, from a save that nothing limits.
  ASSERT_EQ(saveFullLevel(other), 1);
  const std::string full = fileBytes(other + LevelName + ".lvbk");
  fs::remove(other + LevelName + ".lvbk");
  const rlim_t fullSize = full.size();
  ASSERT_GT(fullSize, 4096u);

  std::vector<rlim_t> limits{0, 1, 4, 5, 12, 4095, 4096, 4097, fullSize - 4, fullSize - 1};
  for (rlim_t limit = 97; limit < fullSize; limit += 397)
    limits.push_back(limit);

  const std::string previous = savePrevious(directory);
  for (rlim_t limit : limits) {
    SCOPED_TRACE("file size limit " + std::to_string(limit) + " of " + std::to_string(fullSize));
    ChildResult child = runInChild([&] {
      // Past the limit a write fails with EFBIG instead of killing the process.
      std::signal(SIGXFSZ, SIG_IGN);
      rlimit original{};
      getrlimit(RLIMIT_FSIZE, &original);
      rlimit limited = original;
      limited.rlim_cur = limit;
      if (setrlimit(RLIMIT_FSIZE, &limited) != 0)
        return ChildUnavailable;
      if (saveFullLevel(directory) != 1)
        return 2;
      setrlimit(RLIMIT_FSIZE, &original);
      return saveElsewhere(other);
    });
    ASSERT_NE(child.exitCode, ChildUnavailable) << "setrlimit refused";
    EXPECT_EQ(child.exitCode, ChildOk) << child.output;
    expectNothingLost(directory, previous, child);
    fs::remove(other + "Suite.lvbk");
  }
  RecordProperty("faults", static_cast<int>(limits.size()));

  // A limit of exactly the file's size is no fault: the whole level is saved.
  ChildResult exact = runInChild([&] {
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited{};
    getrlimit(RLIMIT_FSIZE, &limited);
    limited.rlim_cur = fullSize;
    setrlimit(RLIMIT_FSIZE, &limited);
    return saveFullLevel(directory) == 1 ? ChildOk : 2;
  });
  EXPECT_EQ(exact.exitCode, ChildOk);
  EXPECT_EQ(fileBytes(directory + LevelName + ".lvbk"), full);
  EXPECT_EQ(exact.output, "");
}

// A real file system that runs out of space: a tmpfs of two pages in a mount namespace of the
// child's own. The previous level takes one page, the new one needs two. The checks run in the
// child, the only process that sees this file system.
TEST(SaveFaults, FullFileSystemKeepsThePreviousLevel) {
  ScratchDirectory scratch;
  const std::string directory = scratch.path() + "niv/";
  fs::create_directory(directory);

  ChildResult child = runInChild([&] {
    if (unshare(geteuid() == 0 ? CLONE_NEWNS : CLONE_NEWUSER | CLONE_NEWNS) != 0 ||
        mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        mount("brickedit-full", directory.c_str(), "tmpfs", 0, "size=8k,mode=0755") != 0)
      return ChildUnavailable;
    const std::string previous = savePrevious(directory);
    if (saveFullLevel(directory) != 1)
      return 2;
    if (fileBytes(directory + LevelName + ".lvbk") != previous)
      return 10;
    if (entriesOf(directory) != std::vector<std::string>{LevelName + ".lvbk"})
      return 11;
    // Carries on: once space is freed, the same save goes through.
    fs::remove(directory + LevelName + ".lvbk");
    if (saveFullLevel(directory) != 1 || fileBytes(directory + LevelName + ".lvbk").size() < 4096)
      return 12;
    return ChildOk;
  });
  if (child.exitCode == ChildUnavailable)
    GTEST_SKIP() << "cannot mount a small tmpfs in a mount namespace here";
  EXPECT_NE(child.exitCode, 10) << "the previous level changed";
  EXPECT_NE(child.exitCode, 11) << "a temporary file was left behind";
  EXPECT_NE(child.exitCode, 12) << "saving did not work again once space was freed";
  EXPECT_EQ(child.exitCode, ChildOk) << child.output;
  EXPECT_NE(child.output.find(LevelName + ".lvbk"), std::string::npos) << child.output;
}

// A directory stands where the level file should be: the rename cannot replace it.
TEST(SaveFaults, DirectoryInThePlaceOfTheFileIsKept) {
  ScratchDirectory scratch;
  const std::string directory = scratch.path() + "niv/";
  fs::create_directories(directory + LevelName + ".lvbk/inside");
  ChildResult child = runInChild([&] { return saveFullLevel(directory) == 1 ? ChildOk : 2; });
  EXPECT_EQ(child.exitCode, ChildOk);
  EXPECT_TRUE(fs::is_directory(directory + LevelName + ".lvbk/inside"));
  EXPECT_EQ(entriesOf(directory), std::vector<std::string>{LevelName + ".lvbk"});
  EXPECT_NE(child.output.find(LevelName + ".lvbk"), std::string::npos) << child.output;
}

} // namespace
