#include "editor/editor.h"

Editor::Editor() {
  resetSelection(selection);
  saved.selection = selection;
}
