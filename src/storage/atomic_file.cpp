#include "storage/atomic_file.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The permissions a plain fopen would have given the file.
mode_t ordinaryFileMode() {
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

// Writes all of bytes, going on after a partial write: the second call reports why the first
// stopped short (a full disk, a file size limit).
bool writeAll(int fd, const std::string &bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t written = write(fd, bytes.data() + done, bytes.size() - done);
    if (written < 0 && errno == EINTR)
      continue;
    if (written <= 0)
      return false;
    done += static_cast<std::size_t>(written);
  }
  return true;
}

} // namespace

std::string directoryOf(const std::string &path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

void syncDirectory(const std::string &directory) {
  const int fd = open(directory.empty() ? "." : directory.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd >= 0) {
    fsync(fd);
    close(fd);
  }
}

FileWrite stageFile(const std::string &path, const std::string &bytes, StagedFile &staged) {
  // Beside the target, so that the rename cannot cross file systems.
  std::string temporary = directoryOf(path) + ".saving-XXXXXX";
  const int fd = mkstemp(temporary.data());
  if (fd < 0)
    return FileWrite{FileStep::Create, errno};
  bool written = fchmod(fd, ordinaryFileMode()) == 0 && writeAll(fd, bytes) && fsync(fd) == 0;
  int error = errno;
  // Closed in every case; a failed close can mean the data never reached the disk.
  if (close(fd) != 0 && written) {
    written = false;
    error = errno;
  }
  if (!written) {
    unlink(temporary.c_str());
    return FileWrite{FileStep::Write, error};
  }
  staged = StagedFile{path, temporary};
  return FileWrite{};
}

FileWrite commitStagedFile(StagedFile &staged) {
  if (std::rename(staged.temporary.c_str(), staged.target.c_str()) != 0) {
    const int error = errno;
    discardStagedFile(staged);
    return FileWrite{FileStep::Replace, error};
  }
  staged.temporary.clear();
  syncDirectory(directoryOf(staged.target));
  return FileWrite{};
}

void discardStagedFile(StagedFile &staged) {
  if (!staged.temporary.empty())
    unlink(staged.temporary.c_str());
  staged.temporary.clear();
}

FileWrite writeFileAtomically(const std::string &path, const std::string &bytes) {
  StagedFile staged;
  const FileWrite staging = stageFile(path, bytes, staged);
  return staging.failedStep != FileStep::None ? staging : commitStagedFile(staged);
}
