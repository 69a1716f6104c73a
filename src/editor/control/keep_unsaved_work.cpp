#include "editor/control/keep_unsaved_work.h"

#include "editor/saved_level.h"
#include "storage/level_backup.h"
#include "storage/level_format.h"

#include <cstdio>

std::string keptAuthor(const Editor &editor) {
  return editor.saved.author.empty() ? "inconnu" : editor.saved.author;
}

std::string unsavedLevelBytes(const Editor &editor) {
  return formatLevel(editor.bricks, editor.state.brickCount, keptAuthor(editor));
}

std::string keepUnsavedWork(const Editor &editor, const std::string &levelDirectory,
                            std::time_t now) {
  if (!hasUnsavedWork(editor))
    return {};
  std::string error;
  const std::string path = writeRecoveryFile(unsavedLevelBytes(editor), levelDirectory, now, error);
  if (path.empty())
    std::printf("%s\n", error.c_str());
  else
    std::printf("Niveau non sauvegard\xc3\xa9 gard\xc3\xa9 dans %s\n", path.c_str());
  std::fflush(stdout);
  return path;
}
