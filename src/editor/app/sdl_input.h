#pragma once
// The edge between the windowing library and the editor: one library event becomes one input
// event of the editor's own.

#include "editor/control/input_event.h"
#include "editor/editor.h"

#include <SDL.h>

// The editor's view of a library event; events it does not handle (key releases, window
// events) become InputKind::None.
InputEvent toInputEvent(const SDL_Event &event);

// toInputEvent, then handleInput.
void dispatchEvent(const SDL_Event &event, Editor &editor);
