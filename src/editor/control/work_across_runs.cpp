#include "editor/control/work_across_runs.h"

#include "editor/control/keep_unsaved_work.h"
#include "editor/saved_level.h"
#include "storage/file_bytes.h"
#include "storage/level_backup.h"
#include "storage/level_parser.h"
#include "storage/recovery_copies.h"
#include "storage/resume_record.h"

#include <algorithm>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A file that may be opened: a recovery copy taken, or the kept work of the last run with its
// record.
struct Found {
  std::string path;
  timespec modified;
  bool recorded;
};

bool olderThan(const Found &a, const Found &b) {
  return a.modified.tv_sec != b.modified.tv_sec ? a.modified.tv_sec < b.modified.tv_sec
                                                : a.modified.tv_nsec < b.modified.tv_nsec;
}

// The bricks of a level file into bricks and count, without the reader's echo; false when the
// file cannot be read or its count is refused.
bool readBricks(const std::string &path, Bricks &bricks, int32_t &count) {
  std::string bytes;
  return readFileBytes(path, bytes) == FileRead::Done &&
         !parseLevelBytes(bytes.data(), bytes.size(), bricks, count).refused;
}

// The level record names as last saved: its name and author, its bricks on disk.
void restoreSaved(Editor &editor, const ResumeRecord &record, const std::string &levelDirectory) {
  SavedLevel &saved = editor.saved;
  saved.name = record.levelName;
  saved.author = record.author;
  editor.levelNameField.fill(record.levelName);
  editor.authorField.fill(record.author);
  Bricks bricks{};
  int32_t count = 0;
  if (!record.levelName.empty() &&
      readBricks(levelFilePath(levelDirectory, record.levelName), bricks, count))
    saved.bricks.assign(bricks.begin(), bricks.begin() + bricksInUse(count));
}

} // namespace

ReopenedWork reopenUnsavedWork(Editor &editor, const std::string &levelDirectory) {
  std::vector<Found> found;
  for (const TakenCopy &copy : takeEndedEditorsCopies(levelDirectory))
    found.push_back(Found{copy.path, copy.modified, false});
  ResumeRecord record;
  struct stat info {};
  if (takeResumeRecord(levelDirectory, record)) {
    const std::string path = backupDirectory(levelDirectory) + record.keptFile;
    if (stat(path.c_str(), &info) == 0)
      found.push_back(Found{path, info.st_mtim, true});
  }
  if (found.empty())
    return {};
  // The others are named oldest first.
  std::sort(found.begin(), found.end(), olderThan);
  const Found &newest = found.back();
  if (!readBricks(newest.path, editor.bricks, editor.state.brickCount)) {
    std::printf("Impossible de lire le fichier %s\n", newest.path.c_str());
    std::fflush(stdout);
    return {};
  }
  if (newest.recorded)
    restoreSaved(editor, record, levelDirectory);
  std::printf("Travail non sauvegard\xc3\xa9 rouvert : %s\n", newest.path.c_str());
  std::string others;
  for (const Found &file : found)
    if (&file != &newest)
      others += (others.empty() ? "" : ", ") + file.path.substr(file.path.rfind('/') + 1);
  if (!others.empty())
    std::printf("Autre travail non sauvegard\xc3\xa9 gard\xc3\xa9 dans %s : %s\n",
                backupDirectory(levelDirectory).c_str(), others.c_str());
  std::fflush(stdout);
  const auto first = editor.bricks.begin();
  return ReopenedWork{newest.path, {first, first + bricksInUse(editor.state.brickCount)}};
}

void keepWorkAtEnd(const Editor &editor, const ReopenedWork &reopened,
                   const std::string &levelDirectory) {
  bool safe = true;
  if (hasUnsavedWork(editor) && !reopened.path.empty() && bricksInUseAre(editor, reopened.bricks)) {
    std::printf("Niveau non sauvegard\xc3\xa9 toujours gard\xc3\xa9 dans %s\n",
                reopened.path.c_str());
    std::fflush(stdout);
  } else {
    const std::string kept = keepUnsavedWork(editor, levelDirectory);
    safe = !kept.empty() || !hasUnsavedWork(editor);
    // The record is a convenience: the work is safe without it.
    if (!kept.empty())
      writeResumeRecord(levelDirectory, ResumeRecord{kept.substr(kept.rfind('/') + 1),
                                                     editor.saved.name, editor.saved.author});
  }
  if (safe)
    unlink((backupDirectory(levelDirectory) + recoveryCopyName(getpid())).c_str());
}

void endEditorRun(EditorRun &run, const std::string &levelDirectory) {
  stopRecoveryCopy(run.recovery);
  keepWorkAtEnd(run.editor, run.reopened, levelDirectory);
}
