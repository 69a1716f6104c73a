#pragma once
// Helpers for the level file and browser tests: a scratch directory, standard output caught
// in a file, and slots filled with values no reader would produce.

#include "editor/editor_state.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdlib.h>
#include <string>
#include <unistd.h>

// A fresh directory under the system's temporary directory, removed with everything in it.
class ScratchDirectory {
public:
  ScratchDirectory() {
    std::string pattern = (std::filesystem::temp_directory_path() / "brickedit-XXXXXX").string();
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

  // With its trailing slash, the way the level functions take a directory.
  const std::string &path() const { return path_; }

private:
  std::string path_;
};

// Sends file descriptor 1 into a temporary file until destroyed; text() is what was printed.
class CapturedStdout {
public:
  CapturedStdout() {
    std::fflush(stdout);
    file_ = std::tmpfile();
    saved_ = dup(1);
    dup2(fileno(file_), 1);
  }
  ~CapturedStdout() {
    std::fflush(stdout);
    dup2(saved_, 1);
    close(saved_);
    std::fclose(file_);
  }
  CapturedStdout(const CapturedStdout &) = delete;
  CapturedStdout &operator=(const CapturedStdout &) = delete;

  std::string text() const {
    std::fflush(stdout);
    std::string result;
    std::rewind(file_);
    char chunk[4096];
    std::size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file_)) > 0)
      result.append(chunk, got);
    return result;
  }

private:
  std::FILE *file_ = nullptr;
  int saved_ = -1;
};

inline std::string fileBytes(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

inline void writeBytes(const std::string &path, const std::string &bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// Slot i holds (-1000 - i, -2000 - i, i % 24 + 2): values a level file never gives by chance.
inline Bricks garbageBricks() {
  Bricks bricks{};
  for (int i = 0; i < BrickSlots; ++i)
    bricks[i] = Brick{-1000 - i, -2000 - i, i % 24 + 2};
  return bricks;
}

// The brickCount the fixtures start from.
constexpr int32_t GarbageBrickCount = 7;
