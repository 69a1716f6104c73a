#pragma once
// The bytes of a level file, apart from any file, so that saving, recovery copies and tests
// share one writer.

#include "editor/editor_state.h"

#include <string>

// Where the editor keeps its levels, relative to its working directory; never created by it.
constexpr char LevelDirectory[] = "niv/";

// Every level file's name ends in it; the name before it is the level's.
constexpr char LevelExtension[] = ".lvbk";
constexpr std::size_t LevelExtensionLength = sizeof LevelExtension - 1;

// The file of the level named name in levelDirectory ("niv/" gives "niv/name.lvbk").
inline std::string levelFilePath(const std::string &levelDirectory, const std::string &name) {
  return levelDirectory + name + LevelExtension;
}

// The count line, one "x;y;type" line per brick of slots 0 to count - 1, each ended by CR LF,
// then the author's name with no line end. The count is clamped to 0..BrickSlots: the slots
// hold no more, and a negative count has no bricks. The name stops at its first NUL byte, as
// "%s" would write it.
std::string formatLevel(const Bricks &bricks, int32_t brickCount, const std::string &authorName);
