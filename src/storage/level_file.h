#pragma once
// The level file: the brick count, one "x;y;type" line per brick, then the author's name with
// no line end. Lines end in CR LF on every platform; the reader also takes LF alone.

#include "editor/editor_state.h"

#include <string>

// Writes levelDirectory + levelName + ".lvbk" safely: a temporary file, then a rename over the
// old one, so a failed save leaves the previous level as it was. Returns 0 when there are no
// bricks (nothing written), 1 otherwise, also after a failure, which it prints.
int saveLevel(const EditorState& state, const Bricks& bricks, const std::string& levelName,
              const std::string& authorName, const std::string& levelDirectory = "niv/");

// Reads a level file token by token into bricks and brickCount, echoing the author's word to
// standard output. Returns false when the file cannot be opened or holds a count outside
// 0..396; bricks and brickCount are then unchanged.
bool readLevelFile(const std::string& path, Bricks& bricks, EditorState& state);
