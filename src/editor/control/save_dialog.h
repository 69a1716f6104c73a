#pragma once
// Saving: the name dialog that asks for the level's and the author's names, and the save
// itself, which says on the help line what became of the level.

#include "editor/editor.h"
#include "storage/level_format.h"

#include <string>

// Opens the level's name dialog. Its two fields hold the name and the author the level was
// last saved or opened with, so that Return twice saves it again; a field that could not hold
// its text is left empty, and a level never saved or opened leaves both as they are. Ends any
// drag, which must not lay bricks under the dialog.
void openSaveDialog(Editor &editor);

// Saves the level as levelDirectory/name.lvbk by author (saveLevel) and notes it saved once it
// is on disk. The help line then says, in Latin-1, where the level went, why it was not saved
// (saveLevel's message), or that an empty level saves nothing; it stays until the pointer moves.
void saveAndReport(Editor &editor, std::string name, std::string author,
                   const std::string &levelDirectory = LevelDirectory);
