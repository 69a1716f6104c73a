#pragma once
// Helpers for the level file and browser tests.

#include "../support/invariants.h" // fileBytes
#include "../support/session.h"    // ScratchDirectory
#include "editor/editor_state.h"
#include "storage/level_check.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>

// Every file under directory (none when it is missing) by its path relative to it, with its
// bytes; folders show only through the files they hold.
inline std::map<std::string, std::string> filesUnder(const std::string &directory) {
  std::map<std::string, std::string> files;
  std::error_code missing;
  for (const auto &entry : std::filesystem::recursive_directory_iterator(directory, missing))
    if (entry.is_regular_file())
      files[std::filesystem::relative(entry.path(), directory).string()] =
          fileBytes(entry.path().string());
  return files;
}

// What action prints on standard output, gtest's failures included: keep expectations out.
template <typename Action> std::string printedBy(Action action) {
  testing::internal::CaptureStdout();
  action();
  return testing::internal::GetCapturedStdout();
}

// text as the data files spell it (printableText), every `from` in it written `to`.
inline std::string spelled(std::string text, const std::string &from, const std::string &to) {
  for (std::size_t at; (at = text.find(from)) != std::string::npos;)
    text.replace(at, from.size(), to);
  return printableText(text);
}

// Slot i holds (-1000 - i, -2000 - i, i % 24 + 2): values no level file gives by chance.
inline Bricks garbageBricks() {
  Bricks bricks{};
  for (int i = 0; i < BrickSlots; ++i)
    bricks[i] = Brick{-1000 - i, -2000 - i, i % 24 + 2};
  return bricks;
}

// 18 by 22 bricks edge to edge, every type in turn; the first n make smaller levels.
inline Bricks gridLevel() {
  Bricks bricks{};
  for (int i = 0; i < BrickSlots; ++i)
    bricks[i] = Brick{24 + 40 * (i % GridColumns), 30 + 20 * (i / GridColumns), i % 24 + 1};
  return bricks;
}
