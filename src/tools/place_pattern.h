#pragma once
// Lays the selected cells of the pattern grid as bricks, all or nothing.

#include "editor/editor_state.h"

// Places at the pointer (direction 0, 0; the caller has checked the placement area) or beside
// the brick under the pointer. Returns 1 when placed, 0 when refused: no type, no anchor, the
// origin outside the level, an overlap, or not enough free slots. A refusal changes nothing.
//
// mirrored also lays the twin of every pattern brick, reflected about the field's centre line
// (mirroredX), same row and type, after the pattern's bricks and in their order. Pattern and
// twins go together or not at all: a twin that overlaps a brick in use or a pattern brick
// refuses the placement, except a twin that is exactly a pattern brick, which is laid once.
int placePattern(int x, int y, const Selection &selection, int32_t brickType, EditorState &state,
                 Bricks &bricks, bool mirrored = false);
