#pragma once
// The edge between the windowing library and the editor: one library event becomes one input
// event of the editor's own.

#include "editor/control/input_event.h"
#include "editor/editor.h"

#include <SDL.h>

// The editor's view of a library event; events it does not handle (key releases, window
// events) become InputKind::None. modifiers follows the Shift and Ctrl keys from one key event
// to the next, so that a mouse event carries them as they stood when it came.
InputEvent toInputEvent(const SDL_Event &event, SDLMod &modifiers);

// toInputEvent, then handleInput.
void dispatchEvent(const SDL_Event &event, SDLMod &modifiers, Editor &editor);
