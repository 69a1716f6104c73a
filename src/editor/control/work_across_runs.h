#pragma once
// Unsaved work carried from one run of the editor to the next in the same directory. A run
// that ends keeping unsaved work (Escape, closing the window, a signal, the display lost)
// records which kept file holds it (resume_record.h); the next start opens it again, once. An
// editor that ended without a word (killed, crashed) left its recovery copy instead
// (recovery_copies.h); the next start takes it, and opens the newest of all it found.

#include "editor/control/recovery_copy.h"
#include "editor/editor.h"
#include "storage/level_format.h"

#include <string>
#include <vector>

// The kept file a start opened, and the bricks it held: a run that ends with just those has
// nothing new to keep.
struct ReopenedWork {
  std::string path; // "" when none was opened
  std::vector<Brick> bricks;
};

// At start-up, on a fresh editor: takes the recovery copies of editors that no longer run and
// the record of the last run's kept work, then opens the newest of those files (by modification
// time) as the current level, unsaved. Kept work comes back under the level name and author it
// had (and in the save dialog's fields), against the level of that name on disk; a recovery copy
// comes back with no name. Prints which file it opened and where the others are.
ReopenedWork reopenUnsavedWork(Editor &editor, const std::string &levelDirectory = LevelDirectory);

// At the end of the run: keeps unsaved work (keepUnsavedWork) and records it for the next start,
// unless it is just what this run reopened, which is said instead. Once the work is safe, or
// there was none, removes this process's recovery copy.
void keepWorkAtEnd(const Editor &editor, const ReopenedWork &reopened,
                   const std::string &levelDirectory = LevelDirectory);

// Everything a run of the editor carries from its start to its end.
struct EditorRun {
  Editor editor;
  ReopenedWork reopened;
  RecoveryCopy recovery;
};

// However the run ends: the recovery copy's last request carried out and its writer stopped,
// so that nothing writes the copy again behind keepWorkAtEnd, which then runs.
void endEditorRun(EditorRun &run, const std::string &levelDirectory = LevelDirectory);
