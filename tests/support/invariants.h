#pragma once
// The rules an editor keeps whatever events it is given, checked after every event by the
// session runner, the window sessions and the event-stream fuzz target.

#include "editor/control/input_event.h"
#include "editor/editor.h"

#include <string>

// The first rule broken by handling event, which turned before into after, or "" when none.
std::string brokenRule(const Editor &before, const InputEvent &event, const Editor &after);

// The bytes of a file; empty when it cannot be read.
std::string fileBytes(const std::string &path);
