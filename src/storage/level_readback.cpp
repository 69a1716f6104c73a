#include "storage/level_readback.h"

#include "storage/level_parser.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <vector>

bool levelFileHolds(const std::string &path, const Bricks &bricks, int32_t brickCount) {
  std::ifstream file(path, std::ios::binary);
  const std::vector<char> bytes{std::istreambuf_iterator<char>(file),
                                std::istreambuf_iterator<char>()};
  if (!file.is_open() || file.bad())
    return false;
  // Read into slots that no file can leave as they are: a count that is not matched, or a
  // brick line cut short, then shows as a difference.
  Bricks read;
  read.fill(Brick{INT32_MIN, INT32_MIN, INT32_MIN});
  int32_t readCount = -1;
  if (parseLevelBytes(bytes.data(), bytes.size(), read, readCount).refused ||
      readCount != brickCount || brickCount < 0 || brickCount > BrickSlots)
    return false;
  return std::equal(
      bricks.begin(), bricks.begin() + brickCount, read.begin(),
      [](const Brick &a, const Brick &b) { return a.x == b.x && a.y == b.y && a.type == b.type; });
}
