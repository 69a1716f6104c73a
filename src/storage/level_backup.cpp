#include "storage/level_backup.h"

#include "storage/atomic_file.h"
#include "storage/file_bytes.h"
#include "storage/level_format.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// "YYYYMMDD-HHMMSS"
constexpr std::size_t StampLength = 15;

struct Version {
  std::string stamp;
  long suffix; // 1 for a name without one
  std::string fileName;
};

bool olderThan(const Version &a, const Version &b) {
  return a.stamp != b.stamp ? a.stamp < b.stamp : a.suffix < b.suffix;
}

bool digitsOnly(const std::string &text) {
  return !text.empty() && std::all_of(text.begin(), text.end(),
                                      [](unsigned char c) { return std::isdigit(c) != 0; });
}

// Reads fileName as a version of name; any other file of the folder is left alone.
bool parseVersion(const std::string &fileName, const std::string &name, Version &version) {
  const std::size_t prefixLength = name.size() + 1;
  if (fileName.size() < prefixLength + StampLength + LevelExtensionLength ||
      fileName.compare(0, name.size(), name) != 0 || fileName[name.size()] != '.' ||
      fileName.compare(fileName.size() - LevelExtensionLength, LevelExtensionLength,
                       LevelExtension) != 0)
    return false;
  const std::string middle =
      fileName.substr(prefixLength, fileName.size() - prefixLength - LevelExtensionLength);
  const std::string stamp = middle.substr(0, StampLength);
  if (!digitsOnly(stamp.substr(0, 8)) || stamp[8] != '-' || !digitsOnly(stamp.substr(9)))
    return false;
  long suffix = 1;
  if (middle.size() > StampLength) {
    const std::string digits = middle.substr(StampLength + 1);
    if (middle[StampLength] != '-' || !digitsOnly(digits) || digits.size() > 9)
      return false;
    suffix = std::stol(digits);
  }
  version = Version{stamp, suffix, fileName};
  return true;
}

// The versions of name already in directory; false with errno when it cannot be listed.
bool listVersions(const std::string &directory, const std::string &name,
                  std::vector<Version> &versions) {
  DIR *listing = opendir(directory.c_str());
  if (listing == nullptr)
    return false;
  Version version;
  while (const dirent *entry = readdir(listing))
    if (parseVersion(entry->d_name, name, version))
      versions.push_back(version);
  closedir(listing);
  return true;
}

// The backup folder, created when missing; false with errno when it cannot be had.
bool ensureDirectory(const std::string &directory, const std::string &parent) {
  if (mkdir(directory.c_str(), 0777) == 0) {
    syncDirectory(parent);
    return true;
  }
  if (errno != EEXIST)
    return false;
  struct stat info {};
  if (stat(directory.c_str(), &info) != 0)
    return false;
  if (!S_ISDIR(info.st_mode)) {
    errno = ENOTDIR;
    return false;
  }
  return true;
}

// The next version of name, stamped with the local time now, after those already in the backup
// folder (created when missing), which are listed into versions. False with errno when the
// folder cannot be had or listed.
bool nextVersion(const std::string &levelDirectory, const std::string &name, std::time_t now,
                 std::vector<Version> &versions, Version &next) {
  const std::string directory = backupDirectory(levelDirectory);
  std::tm local{};
  char stamp[StampLength + 1];
  if (!ensureDirectory(directory, levelDirectory) || !listVersions(directory, name, versions) ||
      localtime_r(&now, &local) == nullptr ||
      std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local) != StampLength)
    return false;
  long suffix = 0;
  for (const Version &version : versions)
    if (version.stamp == stamp)
      suffix = std::max(suffix, version.suffix);
  next = Version{stamp, suffix + 1,
                 name + "." + stamp + (suffix > 0 ? "-" + std::to_string(suffix + 1) : "") +
                     LevelExtension};
  return true;
}

// Writes bytes as the newest version of name and adds it to versions, the ones already there
// being listed first. Returns the file name written, or "" with errno.
std::string writeVersion(const std::string &levelDirectory, const std::string &name,
                         const std::string &bytes, std::time_t now,
                         std::vector<Version> &versions) {
  Version written;
  if (!nextVersion(levelDirectory, name, now, versions, written))
    return "";
  const FileWrite result =
      writeFileAtomically(backupDirectory(levelDirectory) + written.fileName, bytes);
  if (result.failedStep != FileStep::None) {
    errno = result.error;
    return {};
  }
  versions.push_back(written);
  return written.fileName;
}

// A few words a designer can act on.
std::string frenchReason(int error) {
  switch (error) {
  case ENOSPC:
    return "disque plein";
  case EDQUOT:
    return "quota de disque d\xc3\xa9pass\xc3\xa9";
  case EFBIG:
    return "fichier trop grand pour ce disque";
  case EROFS:
    return "disque en lecture seule";
  case EACCES:
  case EPERM:
    return "acc\xc3\xa8s refus\xc3\xa9";
  case ENOTDIR:
    return ".backup n'est pas un dossier";
  case ENOENT:
    return "dossier introuvable";
  case EIO:
    return "erreur du disque";
  default:
    return "erreur syst\xc3\xa8me " + std::to_string(error);
  }
}

} // namespace

std::string backupDirectory(const std::string &levelDirectory) {
  return levelDirectory + ".backup/";
}

bool keepPreviousVersion(const std::string &levelDirectory, const std::string &levelName,
                         const std::string &newBytes, std::time_t now, std::string &reason) {
  const std::string path = levelFilePath(levelDirectory, levelName);
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) {
    // A new level: nothing to keep.
    if (errno == ENOENT)
      return true;
    reason = frenchReason(errno);
    return false;
  }
  // Not a level (a directory, say): nothing to keep, and replacing it fails anyway.
  if (!S_ISREG(info.st_mode))
    return true;
  std::string bytes;
  std::vector<Version> versions;
  std::string written;
  if (readFileBytes(path, bytes) != FileRead::Done) {
    reason = frenchReason(errno);
    return false;
  }
  // The same bytes again: a copy would only push a real earlier version out of the ten kept.
  if (bytes == newBytes)
    return true;
  if ((written = writeVersion(levelDirectory, levelName, bytes, now, versions)).empty()) {
    reason = frenchReason(errno);
    return false;
  }
  std::sort(versions.begin(), versions.end(), olderThan);
  std::size_t excess = versions.size() > KeptVersions ? versions.size() - KeptVersions : 0;
  const std::string directory = backupDirectory(levelDirectory);
  // A version that cannot be removed costs only space: the copy is safe, the save goes on.
  for (const Version &version : versions) {
    if (excess == 0)
      break;
    if (version.fileName != written) {
      unlink((directory + version.fileName).c_str());
      --excess;
    }
  }
  return true;
}

std::string writeRecoveryFile(const std::string &bytes, const std::string &levelDirectory,
                              std::time_t now, std::string &error) {
  std::vector<Version> versions;
  const std::string written = writeVersion(levelDirectory, RecoveryName, bytes, now, versions);
  if (written.empty()) {
    error = "Impossible de mettre le travail non sauvegard\xc3\xa9 \xc3\xa0 l'abri dans " +
            backupDirectory(levelDirectory) + " (" + frenchReason(errno) + ")";
    return {};
  }
  return backupDirectory(levelDirectory) + written;
}

std::string moveIntoBackup(const std::string &path, const std::string &levelDirectory,
                           const std::string &name, std::time_t when, std::string &reason) {
  // Another editor starting at the same moment may take the same name first: the rename never
  // replaces a file, and the next name is tried; a few times, lest a folder of odd names make
  // it try forever.
  errno = EEXIST;
  for (int attempt = 0; attempt < 100 && errno == EEXIST; ++attempt) {
    std::vector<Version> versions;
    Version next;
    if (!nextVersion(levelDirectory, name, when, versions, next))
      break;
    const std::string target = backupDirectory(levelDirectory) + next.fileName;
    if (renameat2(AT_FDCWD, path.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) {
      syncDirectory(backupDirectory(levelDirectory));
      return target;
    }
  }
  // A file gone meanwhile was taken by another editor: nothing to say.
  reason = errno == ENOENT ? "" : frenchReason(errno);
  return "";
}

std::string writeBackupFile(const std::string &levelDirectory, const std::string &fileName,
                            const std::string &bytes) {
  const std::string directory = backupDirectory(levelDirectory);
  if (!ensureDirectory(directory, levelDirectory))
    return frenchReason(errno);
  const FileWrite result = writeFileAtomically(directory + fileName, bytes);
  return result.failedStep == FileStep::None ? "" : frenchReason(result.error);
}
