#include "editor/control/key_list_input.h"

void showKeyList(Editor &editor) {
  editor.keyListShown = true;
  editor.state.painting = 0;
}

bool keyListTakes(const InputEvent &event, Editor &editor) {
  if (event.kind == InputKind::ButtonUp && editor.keyListButton != 0 &&
      event.button == editor.keyListButton) {
    editor.keyListButton = 0;
    return true;
  }
  if (!editor.keyListShown)
    return false;
  if (event.kind == InputKind::KeyDown || event.kind == InputKind::ButtonDown) {
    editor.keyListShown = false;
    editor.keyListButton = event.kind == InputKind::ButtonDown ? event.button : 0;
    return true;
  }
  return event.kind == InputKind::ButtonUp;
}
