#pragma once
// Which bricks of a level no ball can ever break, whatever happens in a game: the designer's
// warning about a level that can never be cleared. The answer follows from the geometry alone
// (game_rules.h): where an 8 by 8 ball can go, moving a pixel at a time, as the bricks it
// touches break and open the way further.

#include "level/brick.h"

#include <cstdint>
#include <vector>

// Slots, ascending, of the bricks to break (isBrickToBreak) that no ball can ever break. Only the
// slots in use count; a type outside 1..24 takes no part, neither in the way nor to break.
std::vector<int32_t> bricksNeverBroken(const Bricks &bricks, int32_t brickCount);
