// Feeds arbitrary bytes to the level reader's grammar as the content of a level file. Whatever
// the bytes, it must keep brickCount within 0..396, leave bricks and brickCount as they were
// when it refuses the file, never write a slot behind the count it read, and keep the author's
// word to 127 characters.

#include "storage/level_parser.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

// Slots the reader has no business writing carry a marker it cannot produce by chance.
constexpr Brick Marker{-7777, -8888, -9999};
constexpr int32_t CountBefore = 3;

void check(bool condition, const char *what) {
  if (!condition) {
    std::fprintf(stderr, "level reader: %s\n", what);
    std::abort();
  }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  Bricks bricks;
  bricks.fill(Marker);
  int32_t count = CountBefore;
  const LevelParse parse =
      parseLevelBytes(reinterpret_cast<const char *>(data), size, bricks, count);
  check(parse.authorWord.size() <= MaxAuthorWord, "author's word longer than 127");
  check(parse.refused ? count == CountBefore : count >= 0 && count <= BrickSlots,
        "brickCount out of 0..396, or changed by a refused file");
  for (int slot = parse.refused ? 0 : count; slot < BrickSlots; ++slot)
    check(bricks[slot] == Marker, "a slot behind brickCount was written");
  return 0;
}
