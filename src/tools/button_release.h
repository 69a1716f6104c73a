#pragma once
// What a release of the left or right button does in the Editing mode.

#include "editor/editor_state.h"

// Tests the click regions in order and edits the level or the settings. Returns
// ReleaseOpenBrowser when it switched to the browser, ReleaseStartGame on "Tester !" (the
// caller starts the game), ReleaseDone otherwise.
int handleButtonRelease(int x, int y, int button, Selection &selection, int32_t &currentBrickType,
                        EditorState &state, Bricks &bricks);
