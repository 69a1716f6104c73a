#include "storage/recovery_copies.h"

#include "storage/level_backup.h"
#include "storage/level_format.h"

#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr char Prefix[] = "recovery.";
constexpr std::size_t PrefixLength = sizeof Prefix - 1;

// The program a process runs; a program replaced on disk since it started (a rebuild) still
// counts as itself. "" when it cannot be told.
std::string programOf(const std::string &process) {
  char target[4096];
  const ssize_t length = readlink(("/proc/" + process + "/exe").c_str(), target, sizeof target);
  std::string program(target, length > 0 ? static_cast<std::size_t>(length) : 0);
  const std::string deleted = " (deleted)";
  if (program.size() > deleted.size() &&
      program.compare(program.size() - deleted.size(), deleted.size(), deleted) == 0)
    program.erase(program.size() - deleted.size());
  return program;
}

// The process id a file name gives a recovery copy, or 0 for any other file.
pid_t copyOwner(const std::string &fileName) {
  if (fileName.size() <= PrefixLength + LevelExtensionLength ||
      fileName.compare(0, PrefixLength, Prefix) != 0 ||
      fileName.compare(fileName.size() - LevelExtensionLength, LevelExtensionLength,
                       LevelExtension) != 0)
    return 0;
  const std::string digits =
      fileName.substr(PrefixLength, fileName.size() - PrefixLength - LevelExtensionLength);
  if (digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string::npos)
    return 0;
  return static_cast<pid_t>(std::atol(digits.c_str()));
}

} // namespace

std::string recoveryCopyName(pid_t pid) {
  return Prefix + std::to_string(pid) + LevelExtension;
}

bool sameProgramRunning(pid_t pid) {
  if (pid == getpid())
    return false;
  const std::string program = programOf(std::to_string(pid));
  return !program.empty() && program == programOf("self");
}

std::vector<TakenCopy> takeEndedEditorsCopies(const std::string &levelDirectory) {
  std::vector<TakenCopy> taken;
  const std::string directory = backupDirectory(levelDirectory);
  DIR *listing = opendir(directory.c_str());
  if (listing == nullptr)
    return taken;
  std::vector<std::string> ended;
  while (const dirent *entry = readdir(listing)) {
    const pid_t owner = copyOwner(entry->d_name);
    if (owner > 0 && !sameProgramRunning(owner))
      ended.push_back(directory + entry->d_name);
  }
  closedir(listing);
  for (const std::string &path : ended) {
    struct stat info {};
    std::string reason;
    if (stat(path.c_str(), &info) != 0)
      continue;
    const std::string kept =
        moveIntoBackup(path, levelDirectory, RecoveryName, info.st_mtime, reason);
    if (!kept.empty())
      taken.push_back(TakenCopy{kept, info.st_mtim});
    else if (!reason.empty())
      std::printf("Impossible de garder la copie de secours %s (%s)\n", path.c_str(),
                  reason.c_str());
  }
  std::fflush(stdout);
  return taken;
}
