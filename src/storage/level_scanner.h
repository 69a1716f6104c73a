#pragma once
// The level reader's grammar of numbers and separators: which bytes are white space, what a
// number is and when it fits. The reader and the --check review both scan with it, so they
// cannot disagree on a file.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// A cursor over bytes; every read starts where the previous one stopped.
struct LevelScanner {
  const char *data;
  std::size_t size;
  std::size_t pos = 0;

  // Blank, tab, CR, LF, vertical tab and form feed, as "%d" skips them.
  static bool isWhite(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
  }
  static bool isDigit(char c) { return c >= '0' && c <= '9'; }

  bool atEnd() const { return pos >= size; }
  void skipWhite();
  // White space, then an optional sign and decimal digits, as written. Empty when no digit
  // follows; a lone sign is used up all the same.
  std::string_view numberToken();
  // "%d": the next number, stored into out only when it fits 32 bits. A number that does not
  // fit matches nothing and is left, sign and all, for the next read.
  bool readInt(int32_t &out);
  // The next byte when it is c, without skipping white space.
  bool readLiteral(char c);
  // "%Ns": the first most characters of the next word; the rest of the word is skipped.
  std::string readWord(std::size_t most);
};

// The value of a number token (numberToken's) when it fits a signed 32-bit integer; value is
// left alone otherwise.
bool fitsInt32(std::string_view token, int32_t &value);
