#include "storage/level_format.h"

#include <cstring>

std::string formatLevel(const Bricks &bricks, int32_t brickCount, const std::string &authorName) {
  const int32_t count = bricksInUse(brickCount);
  std::string bytes = std::to_string(count) + "\r\n";
  // "-2147483648;-2147483648;-2147483648\r\n" is the longest line.
  bytes.reserve(bytes.size() + static_cast<std::size_t>(count) * 37 + authorName.size());
  for (int32_t i = 0; i < count; ++i) {
    const Brick &brick = bricks[i];
    bytes += std::to_string(brick.x) + ';' + std::to_string(brick.y) + ';' +
             std::to_string(brick.type) + "\r\n";
  }
  bytes.append(authorName.c_str(), std::strlen(authorName.c_str()));
  return bytes;
}
