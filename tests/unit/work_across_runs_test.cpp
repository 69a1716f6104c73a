#include "editor/control/work_across_runs.h"
#include "storage/recovery_copies.h"
#include "storage/resume_record.h"
#include "storage_test_support.h"

#include <regex>
#include <sys/wait.h>
#include <utime.h>

// Two editors share niv/: the copy of one still running (a child of this program) is left to
// it; the copies of an ended editor and of an id now running another program (the test's
// parent) are taken beside the last run's kept work, each named after its time; a name with no
// process id is no copy and stays. The newest opens, kept work under its level's name and
// author. One row per age of the kept work: the names said, then what the editor shows.
TEST(ReopenUnsavedWork, TakesTheCopiesOfEndedEditorsAndOpensTheNewestFile) {
  const std::time_t t = std::time(nullptr) / 60 * 60 + 7;
  const std::string kept = "non-sauvegarde.20000101-000007.lvbk";
  const pid_t running = fork();
  if (running == 0)
    _exit(pause());
  const std::pair<std::time_t, std::string> rows[] = {
      {t + 3, "07.lvbk\n08.lvbk, 09.lvbk\nBrickEdit - u *|eue21"},
      {t - 1, "09.lvbk\n07.lvbk, 08.lvbk\nBrickEdit *|10"}};
  for (const auto &[keptAt, expected] : rows) {
    ScratchDirectory scratch;
    std::filesystem::create_directories(scratch.path() + ".backup");
    const std::tuple<std::string, std::string, std::time_t> files[] = {
        {"u.lvbk", "1\r\n24;30;1\r\ne", t},
        {".backup/" + kept, "2\r\n24;30;1\r\n64;30;2\r\ne", keptAt},
        {".backup/" + recoveryCopyName(running), "0\r\nx", t},
        {".backup/" + recoveryCopyName(getppid()), "1\r\n24;30;3\r\nx", t + 1},
        {".backup/" + recoveryCopyName(999999999), "1\r\n64;30;4\r\nx", t + 2},
        {".backup/recovery.1x.lvbk", "1\r\n64;30;5\r\nx", t + 5}};
    for (const auto &[file, bytes, modified] : files) {
      std::ofstream(scratch.path() + file, std::ios::binary) << bytes;
      const utimbuf times{modified, modified};
      utime((scratch.path() + file).c_str(), &times);
    }
    writeResumeRecord(scratch.path(), {kept, "u", "e"});
    Editor editor;
    std::string said = printedBy([&] { reopenUnsavedWork(editor, scratch.path()); });
    // What is said, each line's words and folders cut, and the date of each name.
    said = std::regex_replace(said, std::regex(R"([^\n:]*: |[^ ]*/|non-\S*-\d{4})"), "");
    EXPECT_EQ(said + windowTitle(editor) + "|" + editor.saved.author +
                  editor.levelNameField.text() + editor.authorField.text() +
                  std::to_string(editor.state.brickCount * 10 + editor.saved.bricks.size()),
              expected);
  }
  kill(running, SIGKILL);
  waitpid(running, nullptr, 0);
}

// A change is written once: the copy then holds it, and no write is asked for again.
TEST(TendRecoveryCopy, WritesAChangeOnce) {
  EditorRun run;
  run.editor.state.brickCount = 1;
  for (const uint32_t now : {0u, 5000u})
    tendRecoveryCopy(run.recovery, run.editor, now);
  EXPECT_EQ(run.recovery.schedule.writtenAt, 0u) << "written again though the copy held it";
}
