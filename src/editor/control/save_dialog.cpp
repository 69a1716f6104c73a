#include "editor/control/save_dialog.h"

#include "editor/saved_level.h"
#include "help/latin1_text.h"
#include "storage/level_file.h"

void openSaveDialog(Editor &editor) {
  editor.state.mode = EnteringLevelName;
  editor.state.painting = 0;
  const SavedLevel &saved = editor.saved;
  if (saved.name.empty())
    return;
  editor.levelNameField.fill(saved.name);
  editor.authorField.fill(saved.author);
}

void saveAndReport(Editor &editor, std::string name, std::string author,
                   const std::string &levelDirectory) {
  std::string failure;
  if (saveLevel(editor.state, editor.bricks, name, author, levelDirectory, std::time(nullptr),
                &failure) == 1) {
    markSaved(editor, name, author);
    editor.helpText =
        "Niveau sauvegard\xe9 dans " + latin1FromUtf8(levelFilePath(levelDirectory, name));
  } else if (failure.empty()) {
    // saveLevel writes nothing for a level without bricks, and says nothing of it.
    editor.helpText = "Niveau vide : rien n'a \xe9t\xe9 sauvegard\xe9.";
  } else {
    editor.helpText = latin1FromUtf8(failure);
  }
}
