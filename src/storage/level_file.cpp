#include "storage/level_file.h"

#include "storage/level_parser.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

void printMessage(const char *format, const std::string &path) {
  std::printf(format, path.c_str());
  std::fflush(stdout);
}

// The directory part of path, with its slash ("niv/" for "niv/a.lvbk"), or "" for a bare name.
std::string directoryOf(const std::string &path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// The whole level in the order the reader expects it; false as soon as a write fails.
bool writeLevel(std::FILE *file, int32_t brickCount, const Bricks &bricks,
                const std::string &authorName) {
  if (std::fprintf(file, "%d\r\n", brickCount) < 0)
    return false;
  for (int32_t i = 0; i < brickCount; ++i) {
    const Brick &brick = bricks[i];
    if (std::fprintf(file, "%d;%d;%d\r\n", brick.x, brick.y, brick.type) < 0)
      return false;
  }
  return std::fputs(authorName.c_str(), file) >= 0;
}

// The permissions a plain fopen would have given the level file.
mode_t ordinaryFileMode() {
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

// Makes the rename itself durable; a failure here loses nothing already written.
void syncDirectory(const std::string &directory) {
  const int fd = open(directory.empty() ? "." : directory.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd >= 0) {
    fsync(fd);
    close(fd);
  }
}

} // namespace

int saveLevel(const EditorState &state, const Bricks &bricks, const std::string &levelName,
              const std::string &authorName, const std::string &levelDirectory) {
  if (state.brickCount <= 0)
    return 0;
  const std::string path = levelDirectory + levelName + ".lvbk";
  // Never more than the slots hold, whatever the state says.
  const int32_t brickCount = state.brickCount > BrickSlots ? BrickSlots : state.brickCount;

  // Written beside the level file so that the rename cannot cross file systems; the name does
  // not end in ".lvbk", so the browser never shows a half-written level.
  const std::string directory = directoryOf(path);
  std::string temporary = directory + ".saving-XXXXXX";
  const int fd = mkstemp(temporary.data());
  if (fd < 0) {
    printMessage("Impossible d'ouvrir le fichier %s", path);
    return 1;
  }
  std::FILE *file = fdopen(fd, "wb");
  if (file == nullptr) {
    close(fd);
    unlink(temporary.c_str());
    printMessage("Impossible d'ouvrir le fichier %s", path);
    return 1;
  }
  bool written = fchmod(fd, ordinaryFileMode()) == 0;
  written = written && writeLevel(file, brickCount, bricks, authorName);
  written = written && std::fflush(file) == 0;
  written = written && fsync(fd) == 0;
  // Closed in every case; a failed close can mean the data never reached the disk.
  written = (std::fclose(file) == 0) && written;
  written = written && std::rename(temporary.c_str(), path.c_str()) == 0;
  if (!written) {
    unlink(temporary.c_str());
    printMessage("Impossible d'\xe9"
                 "crire le fichier %s",
                 path);
    return 1;
  }
  syncDirectory(directory);
  return 1;
}

FileRead readFileBytes(const std::string &path, std::string &bytes) {
  std::FILE *file = std::fopen(path.c_str(), "rb");
  if (file == nullptr)
    return FileRead::CannotOpen;
  bytes.clear();
  char chunk[4096];
  std::size_t got;
  while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
    bytes.append(chunk, got);
  const bool readable = !std::ferror(file);
  std::fclose(file);
  return readable ? FileRead::Done : FileRead::CannotRead;
}

bool readLevelFile(const std::string &path, Bricks &bricks, EditorState &state) {
  std::string bytes;
  const FileRead read = readFileBytes(path, bytes);
  if (read != FileRead::Done) {
    printMessage(read == FileRead::CannotOpen ? "Impossible d'ouvrir le fichier %s"
                                              : "Impossible de lire le fichier %s",
                 path);
    return false;
  }

  // Parsed into copies: a refused file must leave the level as it was.
  Bricks parsedBricks = bricks;
  int32_t parsedCount = state.brickCount;
  const LevelParse parse = parseLevelBytes(bytes.data(), bytes.size(), parsedBricks, parsedCount);
  if (parse.refused) {
    std::printf("Niveau refus\xe9 : %s annonce %d briques, il en faut entre 0 et %d", path.c_str(),
                parse.refusedCount, BrickSlots);
    std::fflush(stdout);
    return false;
  }
  bricks = parsedBricks;
  state.brickCount = parsedCount;
  std::fputs(parse.authorWord.c_str(), stdout);
  std::fflush(stdout);
  return true;
}
