#include "storage/level_parser.h"

#include <cstdint>
#include <limits>

namespace {

// A cursor over the bytes; every read starts where the previous one stopped.
struct Scanner {
  const char *data;
  std::size_t size;
  std::size_t pos = 0;

  bool atEnd() const { return pos >= size; }
  char peek() const { return data[pos]; }

  static bool isWhite(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
  }
  static bool isDigit(char c) { return c >= '0' && c <= '9'; }

  void skipWhite() {
    while (!atEnd() && isWhite(peek()))
      ++pos;
  }

  // "%d": white space, an optional sign, decimal digits. Stores into out only on a match.
  bool readInt(int32_t &out) {
    skipWhite();
    const std::size_t start = pos;
    bool negative = false;
    if (!atEnd() && (peek() == '+' || peek() == '-')) {
      negative = peek() == '-';
      ++pos;
    }
    if (atEnd() || !isDigit(peek()))
      return false; // a lone sign stays used up
    // The magnitude is capped just past the largest that fits, so long runs cannot overflow.
    const int64_t limit = static_cast<int64_t>(std::numeric_limits<int32_t>::max()) + 1;
    int64_t magnitude = 0;
    while (!atEnd() && isDigit(peek())) {
      magnitude = magnitude * 10 + (peek() - '0');
      if (magnitude > limit)
        magnitude = limit + 1;
      ++pos;
    }
    const int64_t value = negative ? -magnitude : magnitude;
    if (value < std::numeric_limits<int32_t>::min() ||
        value > std::numeric_limits<int32_t>::max()) {
      // Too large for the field: nothing matched, the number is left for the next read.
      pos = start;
      return false;
    }
    out = static_cast<int32_t>(value);
    return true;
  }

  bool readLiteral(char c) {
    if (atEnd() || peek() != c)
      return false;
    ++pos;
    return true;
  }

  // "%d;%d;%d\n": each field stored as soon as it matches, until one does not. The white
  // space that "\n" skips after a whole brick, every later read skips first anyway.
  void readBrick(Brick &brick) {
    (void)(readInt(brick.x) && readLiteral(';') && readInt(brick.y) && readLiteral(';') &&
           readInt(brick.type));
  }

  // "%127s": the first characters of the next word; the rest of the word is skipped.
  std::string readWord() {
    skipWhite();
    std::string word;
    while (!atEnd() && !isWhite(peek())) {
      if (word.size() < MaxAuthorWord)
        word.push_back(peek());
      ++pos;
    }
    return word;
  }
};

} // namespace

LevelParse parseLevelBytes(const char *data, std::size_t size, Bricks &bricks,
                           int32_t &brickCount) {
  LevelParse result;
  Scanner scanner{data, size};
  int32_t count = brickCount;
  scanner.readInt(count);
  if (count < 0 || count > BrickSlots) {
    result.refused = true;
    result.refusedCount = count;
    return result;
  }
  brickCount = count;
  for (int32_t i = 0; i < count; ++i)
    scanner.readBrick(bricks[i]);
  result.authorWord = scanner.readWord();
  return result;
}
