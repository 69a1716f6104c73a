#include "help/hover_help.h"

#include "editor/screen_layout.h"
#include "help/help_texts.h"
#include "tools/place_pattern.h"

int handleMotion(int x, int y, Selection &selection, const int32_t &currentBrickType,
                 EditorState &state, Bricks &bricks, std::string &helpText, bool mirrored) {
  helpText.clear();
  // The drag goes on in every mode, button held or not: only painting counts.
  if (state.painting == 1 && inPlacementArea(x, y, state))
    placePattern(x, y, selection, currentBrickType, state, bricks, mirrored);
  helpText = helpTextAt(x, y, currentBrickType, state);
  return 1;
}
