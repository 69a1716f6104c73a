#include "storage/level_readback.h"

#include "storage/file_bytes.h"
#include "storage/level_parser.h"

#include <algorithm>

bool levelFileHolds(const std::string &path, const Bricks &bricks, int32_t brickCount) {
  std::string bytes;
  if (readFileBytes(path, bytes) != FileRead::Done)
    return false;
  // Read into slots that no file can leave as they are: a count that is not matched, or a
  // brick line cut short, then shows as a difference.
  Bricks read;
  read.fill(Brick{INT32_MIN, INT32_MIN, INT32_MIN});
  int32_t readCount = -1;
  if (parseLevelBytes(bytes.data(), bytes.size(), read, readCount).refused ||
      readCount != brickCount || brickCount < 0 || brickCount > BrickSlots)
    return false;
  return std::equal(bricks.begin(), bricks.begin() + brickCount, read.begin());
}
