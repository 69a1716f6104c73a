#pragma once
// The help line over the level area while bricks are selected.

#include <cstdint>
#include <string>

// How many bricks are selected (count, 1 or more) and the keys that act on them; Latin-1.
std::string selectionHelp(int32_t count);
