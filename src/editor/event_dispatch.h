#pragma once
// Hands one event to the handler of the current mode; the loop around it stays thin.

#include "editor/editor.h"

#include <SDL.h>
#include <SDL_ttf.h>

// A frame is due when more than 25 ms have passed, in unsigned 32-bit arithmetic so that the
// wrap of the tick counter does no harm.
bool frameDue(uint32_t now, uint32_t lastFrameTicks);

// Handles one event at once, by its type and the editor's mode. font renders the name fields.
void dispatchEvent(const SDL_Event &event, Editor &editor, TTF_Font *font);
