#pragma once
// What the next start needs to open again the unsaved work a run ended with: which kept file
// holds it, and under which level name and author it was last saved or opened. It lives in the
// level directory as ".reprise", a name the browser never lists (it shows "*.lvbk" only) and
// outside the backup folder, whose files are all levels that --check can read.

#include <string>

struct ResumeRecord {
  // The kept file's name in the backup folder.
  std::string keptFile;
  // Empty when the level was never saved or opened.
  std::string levelName;
  std::string author;
};

// Writes the record atomically, in place of any earlier one; false when it cannot be written.
bool writeResumeRecord(const std::string &levelDirectory, const ResumeRecord &record);

// Reads the record and removes it, so that it is acted on once. False when there is none.
bool takeResumeRecord(const std::string &levelDirectory, ResumeRecord &record);
