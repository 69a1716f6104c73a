#pragma once
// Helpers for the level file and browser tests.

#include "editor/editor_state.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdlib.h>
#include <string>
#include <unistd.h>
#include <vector>

// A fresh temporary directory, removed with its contents; path() ends in a slash.
class ScratchDirectory {
public:
  explicit ScratchDirectory(
      const std::filesystem::path &base = std::filesystem::temp_directory_path()) {
    std::string pattern = (base / "brickedit-XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr)
      path_ = pattern + "/";
  }
  ~ScratchDirectory() {
    std::error_code ignored;
    if (!path_.empty())
      std::filesystem::remove_all(path_, ignored);
  }
  ScratchDirectory(const ScratchDirectory &) = delete;
  ScratchDirectory &operator=(const ScratchDirectory &) = delete;
  const std::string &path() const { return path_; }

private:
  std::string path_;
};

inline std::string fileBytes(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// What action prints on standard output. gtest prints failures there too: keep expectations
// outside the action.
template <typename Action> std::string printedBy(Action action) {
  std::fflush(stdout);
  std::FILE *capture = std::tmpfile();
  const int saved = dup(1);
  dup2(fileno(capture), 1);
  action();
  std::fflush(stdout);
  dup2(saved, 1);
  close(saved);
  std::string text;
  std::rewind(capture);
  for (int c; (c = std::fgetc(capture)) != EOF;)
    text.push_back(static_cast<char>(c));
  std::fclose(capture);
  return text;
}

inline void writeBytes(const std::string &path, const std::string &bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

inline std::vector<std::string> namesIn(const std::string &directory) {
  std::vector<std::string> names;
  for (const auto &entry : std::filesystem::directory_iterator(directory))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// Slot i holds (-1000 - i, -2000 - i, i % 24 + 2): values no level file gives by chance.
inline Bricks garbageBricks() {
  Bricks bricks{};
  for (int i = 0; i < BrickSlots; ++i)
    bricks[i] = Brick{-1000 - i, -2000 - i, i % 24 + 2};
  return bricks;
}
constexpr int32_t GarbageBrickCount = 7;

// The slots as "x;y;type" lines, so that a mismatch shows which slot differs.
inline std::string slotsText(const Bricks &bricks, int count = BrickSlots) {
  std::string text;
  for (int i = 0; i < count; ++i)
    text += std::to_string(i) + ": " + std::to_string(bricks[i].x) + ";" +
            std::to_string(bricks[i].y) + ";" + std::to_string(bricks[i].type) + "\n";
  return text;
}

// 18 by 22 bricks edge to edge, every type in turn; the first n make smaller levels.
inline Bricks gridLevel() {
  Bricks bricks{};
  for (int i = 0; i < BrickSlots; ++i)
    bricks[i] = Brick{24 + 40 * (i % GridColumns), 30 + 20 * (i / GridColumns), i % 24 + 1};
  return bricks;
}

inline EditorState stateWithBricks(int32_t brickCount) {
  EditorState state = initialEditorState();
  state.brickCount = brickCount;
  return state;
}
