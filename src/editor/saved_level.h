#pragma once
// The level as it was last saved or opened, so that the window title can show what is unsaved
// and quitting can tell whether anything would be lost.

#include "editor/editor_state.h"

#include <string>
#include <vector>

struct Editor;

struct SavedLevel {
  // The level's name, without directory or ".lvbk"; empty until the first save or open.
  std::string name;
  // The author's name written to that file or read from it (the reader's word); empty until
  // then, or when the file has none.
  std::string author;
  // The bricks in use then, in slot order. At start: none, the level nothing has touched.
  std::vector<Brick> bricks;
  // The pattern grid then. It is not written to the file, but a designer who has shaped a
  // pattern has work to lose all the same.
  Selection selection{};
};

// Notes the editor's bricks and pattern grid as what now stands on disk under name, by author.
// Call it only after a save that has written them, or after opening a level.
void markSaved(Editor &editor, const std::string &name, const std::string &author);

// The bricks in use (count and order included) differ from those last saved or opened; before
// any save or open, the level holds a brick at all. The pattern grid does not count: it is
// never written, so quitting cannot save it.
bool hasUnsavedWork(const Editor &editor);

// The bricks in use are exactly bricks, slot by slot.
bool bricksInUseAre(const Editor &editor, const std::vector<Brick> &bricks);

// The bricks (hasUnsavedWork) or the pattern grid differ from what was last saved or opened (at
// start: from the empty level and the single cell). Settings (type, spacings, offsets,
// direction) never count.
bool differsFromSaved(const Editor &editor);

// "BrickEdit", then " - " and the name last saved or opened, if any, then " *" while
// differsFromSaved.
std::string windowTitle(const Editor &editor);
