#pragma once
// The list of every key (F1) over the editor: what closes it, and what it keeps from reaching
// the editor.

#include "editor/control/input_event.h"
#include "editor/editor.h"

// Shows the list; ends any drag, which must not lay bricks under it.
void showKeyList(Editor &editor);

// Whether event goes no further than the list: while it shows, a key or a button press closes
// it, and the release of that press is taken too, so that the click does nothing else; a
// release whose press came before the list leaves it shown. Motion is never taken.
bool keyListTakes(const InputEvent &event, Editor &editor);
