#include "storage/level_backup.h"
#include "storage/level_file.h"
#include "storage/level_format.h"
#include "storage/level_parser.h"
#include "storage_test_support.h"

#include <csignal>
#include <cstring>
#include <functional>
#include <sched.h>
#include <sstream>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>

namespace {

namespace fs = std::filesystem;
const std::string Data = TEST_DATA_DIR;

int save(const std::string &directory, const std::string &name, int count,
         const std::string &author, std::time_t now = std::time(nullptr)) {
  EditorState state = initialEditorState();
  state.brickCount = count;
  return saveLevel(state, gridLevel(), name, author, directory, now);
}

TEST(FormatLevel, GivesTheExactBytesOfALevelFile) {
  const Bricks two{Brick{24, 30, 5}, Brick{64, 30, 22}};
  const std::string full = fileBytes(Data + "/written/full_grid.lvbk");
  const std::tuple<Bricks, int32_t, std::string, std::string> cases[] = {
      {two, 2, "abcd", fileBytes(Data + "/levels/editor_written.lvbk")},
      {gridLevel(), BrickSlots, "Auteur Complet", full},
      {gridLevel(), BrickSlots + 1, "Auteur Complet", full},
      {Bricks{Brick{INT32_MIN, INT32_MAX, 0}}, 1, "", "1\r\n-2147483648;2147483647;0\r\n"},
      {two, -3, "seul", "0\r\nseul"},
      {two, 1, std::string("ab\0cd", 5), "1\r\n24;30;5\r\nab"},
  };
  for (const auto &[bricks, count, author, bytes] : cases)
    EXPECT_EQ(formatLevel(bricks, count, author), bytes) << count << " " << author;
}

// A read in the words of the .expected files, which start from garbage slots and a count of
// 7: the slots it changed, then what it printed with {path} for the path and \xNN for a byte.
std::string describe(bool opened, const EditorState &state, const Bricks &bricks,
                     const std::string &output, const std::string &path) {
  std::string text = std::string("opened ") + (opened ? "yes" : "no") + "\nbrickCount " +
                     (state.brickCount == 7 ? "unchanged" : std::to_string(state.brickCount));
  for (int i = 0; i < BrickSlots; ++i)
    if (bricks[i] != garbageBricks()[i])
      text += "\nslot " + std::to_string(i) + " " + std::to_string(bricks[i].x) + " " +
              std::to_string(bricks[i].y) + " " + std::to_string(bricks[i].type);
  return text + "\nstdout " + spelled(output, path, "{path}") + "\n";
}

// The reader may change no field of the state but the count.
TEST(ReadLevelFile, EveryFixtureGivesItsExpectedOutcome) {
  const EditorState oddState{1, BrowsingLevels, 3, 4, 5, 6, 7, 8, 9, 10, 7, 12, 13, -1, 1, 16};
  int checked = 0;
  for (const auto &entry : fs::directory_iterator(Data + "/levels")) {
    if (entry.path().extension() != ".expected")
      continue;
    const std::string path = fs::path(entry.path()).replace_extension(".lvbk").string();
    std::string expected = fileBytes(entry.path().string());
    while (expected.rfind('#', 0) == 0) // the comments come first
      expected.erase(0, expected.find('\n') + 1);
    Bricks bricks = garbageBricks();
    EditorState state = oddState;
    bool opened = false;
    const std::string output = printedBy([&] { opened = readLevelFile(path, bricks, state); });
    EXPECT_EQ(describe(opened, state, bricks, output, path), expected) << path;
    state.brickCount = oddState.brickCount;
    EXPECT_TRUE(state == oddState) << path << ": a field changed";
    ++checked;
  }
  EXPECT_GE(checked, 26);
}

// Saves at a fixed clock, 2026-03-04 05:06:07 UTC, in a zone an hour east: what
// tests/data/versions/README describes.
TEST(SaveLevel, KeepsTheTenMostRecentVersionsAndUnsavedWork) {
  constexpr std::time_t now = 1772600767;
  const std::string recovery = ".backup/non-sauvegarde.20260304-060607";
  ScratchDirectory scratch;
  const std::string directory = scratch.path();
  fs::copy(Data + "/versions/before", directory, fs::copy_options::recursive);
  setenv("TZ", "CET-1", 1);
  tzset();
  const mode_t previousMask = umask(022);
  for (int count = 1; count <= 12; ++count)
    ASSERT_EQ(printedBy([&] { save(directory, "niveau", count, "v", now + count / 12); }), "");
  // The twelfth's bytes again: no version of them is kept.
  save(directory, "niveau", 12, "v", now + 1);
  std::string error;
  EXPECT_EQ(writeRecoveryFile(formatLevel(gridLevel(), 3, "Ada"), directory, now, error),
            directory + recovery + ".lvbk");
  EXPECT_EQ(writeRecoveryFile("2", directory, now, error), directory + recovery + "-2.lvbk");
  EXPECT_EQ(writeRecoveryFile("3", directory + "niv/", now, error) + error,
            "Impossible de mettre le travail non sauvegard\xc3\xa9 \xc3\xa0 l'abri dans " +
                directory + "niv/.backup/ (dossier introuvable)");
  umask(previousMask);
  unsetenv("TZ");
  tzset();
  EXPECT_EQ(filesUnder(directory), filesUnder(Data + "/versions/after"));
  EXPECT_FALSE(fs::exists(directory + "niv"));
  EXPECT_EQ(fs::status(directory + "niveau.lvbk").permissions(), fs::perms(0644));
}

// The cases of tests/data/save_faults.txt, each in a forked child whose exit code says whether
// the level directory changed.

enum Outcome { Kept = 0, Saved = 1, WrongResult = 2, Unavailable = 77 };

bool enterMountNamespace() {
  return unshare(geteuid() == 0 ? CLONE_NEWNS : CLONE_NEWUSER | CLONE_NEWNS) == 0 &&
         mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
}

// The exit code (-1 if it died, or threw: it must never return into the tests) and the output,
// through a pipe that no file size limit cuts short, of body run in a forked child.
std::pair<int, std::string> inChild(const std::function<int()> &body) {
  int ends[2];
  if (pipe(ends) != 0)
    return {-1, "no pipe"};
  std::fflush(stdout);
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(ends[1], STDOUT_FILENO);
    const int code = [&]() noexcept { return body(); }();
    std::fflush(stdout);
    _exit(code);
  }
  close(ends[1]);
  // A fresh opening of the pipe reads to its end, which comes when the child is gone.
  const std::string output = fileBytes("/proc/self/fd/" + std::to_string(ends[0]));
  close(ends[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

TEST(SaveFaults, EveryCaseKeepsTheLevelOrSavesItAndSaysWhy) {
  std::string directory, level, argument; // of the case at hand
  int oldCount = 0, newCount = 0;
  // Each returns false when this system cannot set the fault.
  const std::map<std::string, std::function<bool()>> faults{
      {"none", [] { return true; }},
      {"no-level-directory", [&] { return fs::remove_all(directory) > 0; }},
      {"folder-in-the-way",
       [&] { return fs::remove(level) && fs::create_directories(level + "/x"); }},
      {"backup-is-a-file", [&] { return std::ofstream(directory + ".backup").good(); }},
      // A read-only bind mount: unlike a mode, it holds for root too.
      {"read-only",
       [&] {
         const std::string target = directory + argument;
         fs::create_directories(target);
         return enterMountNamespace() &&
                mount(target.c_str(), target.c_str(), nullptr, MS_BIND, nullptr) == 0 &&
                mount(nullptr, target.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY,
                      nullptr) == 0;
       }},
      // A mode holds for root only once it is another user.
      {"not-allowed",
       [&] {
         fs::create_directories(directory + argument);
         return chmod(directory.c_str(), 0777) == 0 &&
                chmod((directory + argument).c_str(), 0555) == 0 &&
                (geteuid() != 0 || setuid(65534) == 0);
       }},
      {"file-size-limit",
       [&] {
         std::signal(SIGXFSZ, SIG_IGN);
         const rlimit limit{std::stoul(argument), std::stoul(argument)};
         return setrlimit(RLIMIT_FSIZE, &limit) == 0;
       }},
      {"tmpfs",
       [&] {
         return enterMountNamespace() &&
                mount("brickedit", directory.c_str(), "tmpfs", 0,
                      ("mode=0755,size=" + argument).c_str()) == 0 &&
                save(directory, "Niveau 1", oldCount, "Old") == 1;
       }},
  };
  std::ifstream cases(Data + "/save_faults.txt");
  ASSERT_TRUE(cases.is_open());
  std::vector<std::string> unavailable;
  for (std::string line; std::getline(cases, line);) {
    if (line.empty() || line[0] == '#')
      continue;
    std::istringstream words(line);
    std::string fault, outcome, message;
    words >> oldCount >> newCount >> fault >> argument >> outcome;
    std::getline(words >> std::ws, message);
    ScratchDirectory scratch;
    directory = scratch.path();
    level = directory + "Niveau 1.lvbk";
    const auto [code, output] = inChild([&] {
      if (save(directory, "Niveau 1", oldCount, "Old") != 1 || !faults.at(fault)())
        return Unavailable;
      const auto before = std::pair(fs::exists(directory), filesUnder(directory));
      const int result = save(directory, "Niveau 1", newCount, "Ada");
      const bool changed = std::pair(fs::exists(directory), filesUnder(directory)) != before;
      // The result says whether the level is on disk: exactly when the directory changed.
      return result != (changed ? 1 : 0) ? WrongResult : changed ? Saved : Kept;
    });
    if (code == Unavailable) {
      unavailable.push_back(fault);
      continue;
    }
    EXPECT_EQ(code, outcome == "kept" ? Kept : outcome == "saved" ? Saved : -1) << line;
    EXPECT_EQ(spelled(output, directory, "niv/"), message) << line;
  }
  if (!unavailable.empty())
    GTEST_SKIP() << unavailable.size() << " cases cannot be set up here, as " << unavailable[0];
}

} // namespace
