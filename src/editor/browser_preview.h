#pragma once
// What the level browser shows of the highlighted level. The file is read when the highlight
// comes onto another name, not on every frame; this holds what was read until then.

#include "editor/editor_state.h"

#include <cstdint>
#include <string>

struct BrowserPreview {
  // Index in levelList of the name read, -1 when nothing is previewed.
  int64_t nameIndex = -1;
  // That entry of levelList as it was read: a list rebuilt under the same index is read anew.
  std::string fileName;
  // False when the file could not be read or the reader refused it; nothing below is then shown.
  bool readable = false;
  Bricks bricks{};
  int32_t brickCount = 0;
  // The author's word as the reader takes it, empty when the file holds none.
  std::string author;
};
