#pragma once
// Hands one input event to the handler of the current mode, by its kind and the editor's mode.

#include "editor/control/input_event.h"
#include "editor/editor.h"
#include "storage/level_format.h"

#include <cstdint>

// Handles one event at once. Saving and listing go to levelDirectory.
void handleInput(const InputEvent &event, Editor &editor,
                 const std::string &levelDirectory = LevelDirectory);
