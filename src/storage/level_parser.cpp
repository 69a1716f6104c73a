#include "storage/level_parser.h"

#include "storage/level_scanner.h"

namespace {

// "%d;%d;%d\n": each field stored as soon as it matches, until one does not. The white space
// that "\n" skips after a whole brick, every later read skips first anyway.
void readBrick(LevelScanner &scanner, Brick &brick) {
  (void)(scanner.readInt(brick.x) && scanner.readLiteral(';') && scanner.readInt(brick.y) &&
         scanner.readLiteral(';') && scanner.readInt(brick.type));
}

} // namespace

LevelParse parseLevelBytes(const char *data, std::size_t size, Bricks &bricks,
                           int32_t &brickCount) {
  LevelParse result;
  LevelScanner scanner{data, size};
  int32_t count = brickCount;
  scanner.readInt(count);
  if (count < 0 || count > BrickSlots) {
    result.refused = true;
    result.refusedCount = count;
    return result;
  }
  brickCount = count;
  for (int32_t i = 0; i < count; ++i)
    readBrick(scanner, bricks[i]);
  result.authorWord = scanner.readWord(MaxAuthorWord);
  return result;
}
