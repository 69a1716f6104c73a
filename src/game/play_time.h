#pragma once
// How long a game has been played, as the editor shows it and the command line prints it.

#include <cstdint>
#include <string>

// Ticks of one millisecond as M:SS.mmm, the minutes without bound: 600000 gives "10:00.000".
std::string playTimeText(uint32_t ticks);
