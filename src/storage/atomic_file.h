#pragma once
// Writing a whole file so that it is either replaced completely or not at all, in the manner
// of a desktop toolkit's save-file class: the bytes go to a temporary file beside the target,
// reach the disk, and only then are renamed over it. A crash or a full disk at any point
// leaves the target as it was.

#include <string>

// Which step failed; callers word their own messages.
enum class FileStep {
  None,    // nothing failed
  Create,  // the temporary file could not be created (missing or read-only directory...)
  Write,   // writing, syncing or closing it failed (disk full, file size limit...)
  Replace, // renaming it over the target failed (the target is a directory...)
};

struct FileWrite {
  FileStep failedStep = FileStep::None;
  int error = 0; // errno of the failed step
};

// A file written and synced but not yet in place. temporary is empty once committed or
// discarded.
struct StagedFile {
  std::string target;
  std::string temporary;
};

// Writes bytes to a temporary file in the target's directory, named ".saving-XXXXXX" so that
// no listing of ".lvbk" names ever shows it, with the permissions a plain fopen would give
// (0666 less the umask). Every write, the sync and the close are checked; on failure the
// temporary file is removed and staged is left as it was.
FileWrite stageFile(const std::string &path, const std::string &bytes, StagedFile &staged);

// Renames the staged file over its target, then syncs the directory so that the rename
// survives a crash. On failure the temporary file is removed and the target is untouched.
FileWrite commitStagedFile(StagedFile &staged);

// Removes a staged file that is not wanted any more; the target is untouched.
void discardStagedFile(StagedFile &staged);

// stageFile then commitStagedFile.
FileWrite writeFileAtomically(const std::string &path, const std::string &bytes);

// Makes the entries of directory ("" for the working directory) durable; a failure here loses
// nothing already written, so it is not reported.
void syncDirectory(const std::string &directory);

// The directory part of path with its slash ("niv/" for "niv/a.lvbk"), "" for a bare name.
std::string directoryOf(const std::string &path);
