#pragma once
// The level reader's grammar over a file's bytes, apart from any file or output, so that it
// can be tested and fuzzed on plain buffers. The rules are those listed for readLevelFile.

#include "editor/editor_state.h"

#include <cstddef>
#include <string>

// The author's word is kept to this many characters; the rest of it is skipped.
constexpr std::size_t MaxAuthorWord = 127;

struct LevelParse {
  // The count read lies outside 0..BrickSlots: nothing was stored.
  bool refused = false;
  int32_t refusedCount = 0;
  // The word after the bricks, empty when none follows.
  std::string authorWord;
};

// Reads size bytes at data into bricks and brickCount, storing only what matches; the values
// that do not match keep what they held. On a refused count both are left untouched.
LevelParse parseLevelBytes(const char *data, std::size_t size, Bricks &bricks, int32_t &brickCount);
