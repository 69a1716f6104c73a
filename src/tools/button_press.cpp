#include "tools/button_press.h"

#include "editor/screen_layout.h"
#include "tools/place_pattern.h"

int handleButtonPress(int x, int y, int button, Selection &selection, int32_t &currentBrickType,
                      EditorState &state, Bricks &bricks, bool mirrored) {
  if (button != ButtonLeft || !inPlacementArea(x, y, state))
    return 1;
  // The drag starts even when this first placement is refused.
  state.painting = 1;
  placePattern(x, y, selection, currentBrickType, state, bricks, mirrored);
  return 1;
}
