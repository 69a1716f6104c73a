#pragma once
// Recovery copies: while an editor runs with unsaved work, it keeps a copy of the level in the
// backup folder as "recovery.<its process id>.lvbk", so that even an editor killed outright
// loses little. At start-up, an editor takes the copies of editors that no longer run and keeps
// them as unsaved work, where a quit keeps it; the copies of editors still running, which may
// share the level directory, are left to them.

#include <ctime>
#include <string>
#include <sys/types.h>
#include <vector>

// "recovery.<pid>.lvbk".
std::string recoveryCopyName(pid_t pid);

// Whether pid is another process that runs this very program: a process id in a file name can
// outlive its process and be given to another, so the program it runs is what tells.
bool sameProgramRunning(pid_t pid);

struct TakenCopy {
  std::string path;
  timespec modified;
};

// Moves every recovery copy of levelDirectory's backup folder whose editor no longer runs
// (sameProgramRunning, this editor's own id counting as ended) to the name a quit keeps unsaved
// work under, stamped with its modification time (moveIntoBackup). Returns the copies moved,
// by their new paths; prints one line (UTF-8) for a copy that could not be moved. No folder: none.
std::vector<TakenCopy> takeEndedEditorsCopies(const std::string &levelDirectory);
