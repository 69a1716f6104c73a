#include "storage/level_file.h"

#include "storage/atomic_file.h"
#include "storage/level_backup.h"
#include "storage/level_format.h"
#include "storage/level_parser.h"

#include <cerrno>
#include <cstdio>

namespace {

void printMessage(const char *format, const std::string &path) {
  std::printf(format, path.c_str());
  std::fflush(stdout);
}

void printWriteFailure(const std::string &path) {
  printMessage("Impossible d'\xe9"
               "crire le fichier %s",
               path);
}

} // namespace

int saveLevel(const EditorState &state, const Bricks &bricks, const std::string &levelName,
              const std::string &authorName, const std::string &levelDirectory, std::time_t now) {
  if (state.brickCount <= 0)
    return 0;
  const std::string path = levelFilePath(levelDirectory, levelName);
  StagedFile staged;
  const FileWrite staging =
      stageFile(path, formatLevel(bricks, state.brickCount, authorName), staged);
  if (staging.failedStep == FileStep::Create) {
    std::string message = "Impossible d'ouvrir le fichier " + path;
    if (staging.error == ENOENT || staging.error == ENOTDIR)
      message += " : le dossier " + directoryOf(path) +
                 " n'existe pas ; rien n'a \xe9t\xe9 enregistr\xe9, ni le niveau ni une copie de "
                 "secours";
    printMessage("%s", message);
    return 1;
  }
  if (staging.failedStep != FileStep::None) {
    printWriteFailure(path);
    return 1;
  }
  // Kept only once the new level is safely written, so that a save the disk refuses never
  // pushes an older version out of the ten kept.
  std::string reason;
  if (!keepPreviousVersion(levelDirectory, levelName, now, reason)) {
    discardStagedFile(staged);
    printMessage("%s", "Impossible de garder l'ancienne version de " + path + " dans " +
                           backupDirectory(levelDirectory) + " (" + reason +
                           ") : niveau non enregistr\xe9, le fichier existant est intact");
    return 1;
  }
  if (commitStagedFile(staged).failedStep != FileStep::None)
    printWriteFailure(path);
  return 1;
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
