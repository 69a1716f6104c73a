// Feeds arbitrary bytes to the level reader as the content of a level file. Whatever the file
// holds, reading must not crash, must keep brickCount within 0..396, must leave bricks and
// brickCount as they were when it refuses the file, must not touch the slots behind the count
// it read, and must keep the author's word to 127 characters. The grammar is fuzzed through its
// memory entry point; one input in eight also goes through the file, which must read the same.

#include "storage/level_file.h"
#include "storage/level_parser.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

namespace {

// Slots the reader has no business writing carry a marker it cannot produce by chance.
constexpr Brick Marker{-7777, -8888, -9999};
constexpr int32_t CountBefore = 3;

// The input as a file: an anonymous memory file reached through its /proc path, so the reader
// opens it like any other file without touching the disk.
struct InputFile {
  int fd = -1;
  std::string path;

  InputFile() {
    fd = memfd_create("level", 0);
    if (fd < 0) {
      std::perror("memfd_create");
      std::abort();
    }
    path = "/proc/self/fd/" + std::to_string(fd);
    // The reader echoes the author's word to standard output: keep the fuzzer's output readable.
    int devNull = open("/dev/null", O_WRONLY);
    if (devNull >= 0) {
      std::fflush(stdout);
      dup2(devNull, STDOUT_FILENO);
      close(devNull);
    }
  }

  void fill(const uint8_t *data, size_t size) {
    if (ftruncate(fd, 0) != 0 || pwrite(fd, data, size, 0) != static_cast<ssize_t>(size)) {
      std::perror("writing the fuzz input");
      std::abort();
    }
  }
};

void check(bool condition, const char *what) {
  if (!condition) {
    std::fprintf(stderr, "level reader: %s\n", what);
    std::abort();
  }
}

bool sameBrick(const Brick &a, const Brick &b) {
  return a.x == b.x && a.y == b.y && a.type == b.type;
}

void checkUntouchedFrom(const Bricks &bricks, int32_t firstSlot, const char *what) {
  for (int slot = firstSlot; slot < BrickSlots; ++slot)
    check(sameBrick(bricks[slot], Marker), what);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  Bricks parsed;
  parsed.fill(Marker);
  int32_t count = CountBefore;
  const LevelParse parse =
      parseLevelBytes(reinterpret_cast<const char *>(data), size, parsed, count);

  check(parse.authorWord.size() <= MaxAuthorWord, "author's word longer than 127");
  if (parse.refused) {
    check(count == CountBefore, "a refused file changed brickCount");
    checkUntouchedFrom(parsed, 0, "a refused file wrote a slot");
  } else {
    check(count >= 0 && count <= BrickSlots, "brickCount out of 0..396");
    checkUntouchedFrom(parsed, count, "a slot behind brickCount was written");
  }

  if (size % 8 != 0)
    return 0;
  static InputFile input;
  input.fill(data, size);
  Bricks bricks;
  bricks.fill(Marker);
  EditorState state = initialEditorState();
  state.brickCount = CountBefore;
  EditorState expected = state;
  const bool opened = readLevelFile(input.path, bricks, state);
  check(opened == !parse.refused, "the file and the bytes are not refused alike");
  expected.brickCount = count;
  // Only brickCount may change: the reader has no say over the rest of the state.
  check(std::memcmp(&expected, &state, sizeof state) == 0, "the file read differs in the state");
  for (int slot = 0; slot < BrickSlots; ++slot)
    check(sameBrick(bricks[slot], parsed[slot]), "the file read differs in the bricks");
  return 0;
}
