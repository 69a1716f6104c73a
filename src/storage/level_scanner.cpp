#include "storage/level_scanner.h"

#include <limits>

void LevelScanner::skipWhite() {
  while (!atEnd() && isWhite(data[pos]))
    ++pos;
}

std::string_view LevelScanner::numberToken() {
  skipWhite();
  const std::size_t start = pos;
  if (!atEnd() && (data[pos] == '+' || data[pos] == '-'))
    ++pos;
  const std::size_t digits = pos;
  while (!atEnd() && isDigit(data[pos]))
    ++pos;
  return pos == digits ? std::string_view() : std::string_view(data + start, pos - start);
}

bool LevelScanner::readInt(int32_t &out) {
  skipWhite();
  const std::size_t start = pos;
  const std::string_view token = numberToken();
  if (token.empty())
    return false;
  if (!fitsInt32(token, out)) {
    pos = start;
    return false;
  }
  return true;
}

bool LevelScanner::readLiteral(char c) {
  if (atEnd() || data[pos] != c)
    return false;
  ++pos;
  return true;
}

std::string LevelScanner::readWord(std::size_t most) {
  skipWhite();
  std::string word;
  while (!atEnd() && !isWhite(data[pos])) {
    if (word.size() < most)
      word.push_back(data[pos]);
    ++pos;
  }
  return word;
}

bool fitsInt32(std::string_view token, int32_t &value) {
  const bool negative = token[0] == '-';
  const std::size_t first = (token[0] == '-' || token[0] == '+') ? 1 : 0;
  // The magnitude stops growing once past what fits, so long runs of digits cannot overflow.
  const int64_t limit = int64_t{std::numeric_limits<int32_t>::max()} + (negative ? 1 : 0);
  int64_t magnitude = 0;
  for (std::size_t i = first; i < token.size(); ++i) {
    magnitude = magnitude * 10 + (token[i] - '0');
    if (magnitude > limit)
      return false;
  }
  value = static_cast<int32_t>(negative ? -magnitude : magnitude);
  return true;
}
