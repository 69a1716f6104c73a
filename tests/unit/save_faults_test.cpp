// Saving when the disk will not take the level. Each fault lives in a forked child (a file size
// limit, a mount namespace, a lower privilege); the child then saves elsewhere to show the
// editor carries on. The previous level must stay byte for byte, with no temporary file beside.

#include "storage/level_file.h"
#include "storage_test_support.h"

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>

namespace {

namespace fs = std::filesystem;

const std::string LevelFile = "Niveau 1.lvbk";
constexpr int ChildOk = 0;
constexpr int ChildUnavailable = 77;

struct ChildResult {
  int exitCode = -1;
  std::string output;
};

// The output comes through a pipe, which no file size limit of the child can cut short.
ChildResult runInChild(const std::function<int()> &body) {
  ChildResult result;
  int ends[2];
  if (pipe(ends) != 0)
    return result;
  std::fflush(stdout);
  const pid_t pid = fork();
  if (pid == 0) {
    close(ends[0]);
    dup2(ends[1], STDOUT_FILENO);
    const int code = body();
    std::fflush(stdout);
    _exit(code);
  }
  close(ends[1]);
  char chunk[4096];
  for (ssize_t got; (got = read(ends[0], chunk, sizeof chunk)) > 0;)
    result.output.append(chunk, static_cast<std::size_t>(got));
  close(ends[0]);
  int status = 0;
  if (pid > 0 && waitpid(pid, &status, 0) == pid)
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return result;
}

int saveGrid(int brickCount, const std::string &author, const std::string &directory) {
  return saveLevel(stateWithBricks(brickCount), gridLevel(), "Niveau 1", author, directory);
}

bool enterMountNamespace() {
  return unshare(geteuid() == 0 ? CLONE_NEWNS : CLONE_NEWUSER | CLONE_NEWNS) == 0 &&
         mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
}

class SaveFaults : public ::testing::Test {
protected:
  void SetUp() override {
    fs::create_directory(directory);
    fs::create_directory(other);
    chmod(other.c_str(), 0777);
    printedBy([&] { saveGrid(2, "Previous", directory); });
    previous = fileBytes(directory + LevelFile);
    ASSERT_EQ(previous, "2\r\n24;30;1\r\n64;30;2\r\nPrevious");
  }

  // In the child: the full level (several kilobytes) into target, then a small one into
  // other, which must work.
  int saveFullThenElsewhere(const std::string &target) {
    if (saveGrid(BrickSlots, "Ada", target) != 1)
      return 2;
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = limit.rlim_max;
    setrlimit(RLIMIT_FSIZE, &limit);
    saveGrid(3, "Ada", other);
    return fileBytes(other + LevelFile) == "3\r\n24;30;1\r\n64;30;2\r\n104;30;3\r\nAda" ? ChildOk
                                                                                        : 3;
  }

  void expectNothingLost(const ChildResult &child) {
    EXPECT_EQ(child.exitCode, ChildOk) << child.output;
    EXPECT_EQ(fileBytes(directory + LevelFile), previous);
    EXPECT_EQ(namesIn(directory), std::vector<std::string>{LevelFile});
    EXPECT_NE(child.output.find(LevelFile), std::string::npos) << child.output;
  }

  ScratchDirectory scratch;
  const std::string directory = scratch.path() + "niv/";
  const std::string other = scratch.path() + "other/";
  std::string previous;
};

TEST_F(SaveFaults, MissingDirectoryWritesNothingAndCarriesOn) {
  const std::string missing = scratch.path() + "absent/";
  const ChildResult child = runInChild([&] { return saveFullThenElsewhere(missing); });
  EXPECT_FALSE(fs::exists(missing));
  EXPECT_NE(child.output.find("Impossible d'ouvrir le fichier " + missing + LevelFile),
            std::string::npos);
  EXPECT_EQ(child.exitCode, ChildOk) << child.output;
}

// A read-only bind mount holds for root too; failing that, mode 0555 as an unprivileged user.
TEST_F(SaveFaults, ReadOnlyDirectoryKeepsThePreviousLevel) {
  ChildResult child = runInChild([&] {
    if (!enterMountNamespace() ||
        mount(directory.c_str(), directory.c_str(), nullptr, MS_BIND, nullptr) != 0 ||
        mount(nullptr, directory.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0)
      return ChildUnavailable;
    return saveFullThenElsewhere(directory);
  });
  if (child.exitCode == ChildUnavailable) {
    chmod(scratch.path().c_str(), 0755);
    chmod(directory.c_str(), 0555);
    child = runInChild([&] {
      if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
        return ChildUnavailable;
      return saveFullThenElsewhere(directory);
    });
    chmod(directory.c_str(), 0755);
  }
  if (child.exitCode == ChildUnavailable)
    GTEST_SKIP() << "no way to make a directory read-only here";
  expectNothingLost(child);
}

// The file size limit stops the write at many points: in the count, in a brick line, around a
// buffer boundary, in the author's name. A limit of the file's exact size is no fault.
TEST_F(SaveFaults, WriteCutShortAtAnyByteKeepsThePreviousLevel) {
  printedBy([&] { saveGrid(BrickSlots, "Ada", other); });
  const std::string full = fileBytes(other + LevelFile);
  fs::remove(other + LevelFile);
  const rlim_t fullSize = full.size();
  ASSERT_GT(fullSize, 4096u);
  std::vector<rlim_t> limits{0, 1, 4, 5, 12, 4095, 4096, 4097, fullSize - 4, fullSize - 1};
  for (rlim_t limit = 97; limit < fullSize; limit += 397)
    limits.push_back(limit);
  limits.push_back(fullSize);

  for (const rlim_t limit : limits) {
    SCOPED_TRACE("file size limit " + std::to_string(limit) + " of " + std::to_string(fullSize));
    const ChildResult child = runInChild([&] {
      std::signal(SIGXFSZ, SIG_IGN);
      rlimit limited{};
      getrlimit(RLIMIT_FSIZE, &limited);
      limited.rlim_cur = limit;
      if (setrlimit(RLIMIT_FSIZE, &limited) != 0)
        return ChildUnavailable;
      return saveFullThenElsewhere(directory);
    });
    fs::remove(other + LevelFile);
    if (limit < fullSize) {
      expectNothingLost(child);
    } else {
      EXPECT_EQ(child.exitCode, ChildOk);
      EXPECT_EQ(fileBytes(directory + LevelFile), full);
      EXPECT_EQ(child.output, "");
    }
  }
}

// A tmpfs of two pages: the previous level takes one, the new one needs two. Only the child
// sees that file system, so it checks for itself.
TEST_F(SaveFaults, FullFileSystemKeepsThePreviousLevel) {
  const ChildResult child = runInChild([&] {
    if (!enterMountNamespace() ||
        mount("brickedit-full", directory.c_str(), "tmpfs", 0, "size=8k,mode=0755") != 0)
      return ChildUnavailable;
    saveGrid(2, "Previous", directory);
    const std::string kept = fileBytes(directory + LevelFile);
    if (saveGrid(BrickSlots, "Ada", directory) != 1)
      return 2;
    if (fileBytes(directory + LevelFile) != kept)
      return 10;
    if (namesIn(directory) != std::vector<std::string>{LevelFile})
      return 11;
    fs::remove(directory + LevelFile);
    if (saveGrid(BrickSlots, "Ada", directory) != 1 ||
        fileBytes(directory + LevelFile).size() < 4096)
      return 12;
    return ChildOk;
  });
  if (child.exitCode == ChildUnavailable)
    GTEST_SKIP() << "cannot mount a small tmpfs in a mount namespace here";
  EXPECT_EQ(child.exitCode, ChildOk)
      << "10: previous level changed, 11: temporary file left, 12: no save once space was freed; "
      << child.output;
  EXPECT_NE(child.output.find(LevelFile), std::string::npos) << child.output;
}

} // namespace
