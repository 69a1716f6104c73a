#include "storage/level_file.h"

#include "storage/atomic_file.h"
#include "storage/level_backup.h"
#include "storage/level_format.h"
#include "storage/level_parser.h"

#include <cerrno>
#include <cstdio>
#include <utility>

namespace {

void printMessage(const std::string &message) {
  std::fputs(message.c_str(), stdout);
  std::fflush(stdout);
}

// The words of a failed save, printed and handed back to the caller.
int failed(std::string message, std::string *failure) {
  printMessage(message);
  if (failure != nullptr)
    *failure = std::move(message);
  return 0;
}

std::string writeFailure(const std::string &path) {
  return "Impossible d'\xc3\xa9"
         "crire le fichier " +
         path;
}

} // namespace

int saveLevel(const EditorState &state, const Bricks &bricks, const std::string &levelName,
              const std::string &authorName, const std::string &levelDirectory, std::time_t now,
              std::string *failure) {
  if (state.brickCount <= 0)
    return 0;
  const std::string path = levelFilePath(levelDirectory, levelName);
  const std::string bytes = formatLevel(bricks, state.brickCount, authorName);
  StagedFile staged;
  const FileWrite staging = stageFile(path, bytes, staged);
  if (staging.failedStep == FileStep::Create) {
    std::string message = "Impossible d'ouvrir le fichier " + path;
    if (staging.error == ENOENT || staging.error == ENOTDIR)
      message += " : le dossier " + directoryOf(path) +
                 " n'existe pas ; rien n'a \xc3\xa9t\xc3\xa9 enregistr\xc3\xa9, ni le niveau ni "
                 "une copie de secours";
    return failed(message, failure);
  }
  if (staging.failedStep != FileStep::None)
    return failed(writeFailure(path), failure);
  // Kept only once the new level is safely written, so that a save the disk refuses never
  // pushes an older version out of the ten kept.
  std::string reason;
  if (!keepPreviousVersion(levelDirectory, levelName, bytes, now, reason)) {
    discardStagedFile(staged);
    return failed("Impossible de garder l'ancienne version de " + path + " dans " +
                      backupDirectory(levelDirectory) + " (" + reason +
                      ") : niveau non enregistr\xc3\xa9, le fichier existant est intact",
                  failure);
  }
  if (commitStagedFile(staged).failedStep != FileStep::None)
    return failed(writeFailure(path), failure);
  return 1;
}

bool readLevelFile(const std::string &path, Bricks &bricks, EditorState &state,
                   std::string *author) {
  std::string bytes;
  const FileRead read = readFileBytes(path, bytes);
  if (read != FileRead::Done) {
    printMessage((read == FileRead::CannotOpen ? "Impossible d'ouvrir le fichier "
                                               : "Impossible de lire le fichier ") +
                 path);
    return false;
  }

  // Parsed into copies: a refused file must leave the level as it was.
  Bricks parsedBricks = bricks;
  int32_t parsedCount = state.brickCount;
  const LevelParse parse = parseLevelBytes(bytes.data(), bytes.size(), parsedBricks, parsedCount);
  if (parse.refused) {
    printMessage("Niveau refus\xc3\xa9 : " + path + " annonce " +
                 std::to_string(parse.refusedCount) + " briques, il en faut entre 0 et " +
                 std::to_string(BrickSlots));
    return false;
  }
  bricks = parsedBricks;
  state.brickCount = parsedCount;
  std::fputs(parse.authorWord.c_str(), stdout);
  std::fflush(stdout);
  if (author != nullptr)
    *author = parse.authorWord;
  return true;
}
