#include "editor/editor.h"

Editor::Editor() {
  resetSelection(selection);
}
