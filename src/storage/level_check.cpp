#include "storage/level_check.h"

#include "editor/editor_state.h"
#include "editor/screen_layout.h"
#include "storage/file_bytes.h"
#include "storage/level_parser.h"
#include "storage/level_scanner.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>
#include <utility>

namespace {

constexpr std::size_t QuotedBytes = 40;
const std::string TypeRange = "1.." + std::to_string(LastBrickType);
const std::string CountRange = "0.." + std::to_string(BrickSlots);

enum class LineEnd { CrLf, LfAlone, None };

struct Line {
  std::string_view text; // without its line end
  int number;
  LineEnd end;
};

// Lines end at each LF; the text after the last LF, empty or not, is the last line.
std::vector<Line> splitLines(const char *data, std::size_t size) {
  std::vector<Line> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] != '\n')
      continue;
    const bool cr = i > start && data[i - 1] == '\r';
    lines.push_back(Line{std::string_view(data + start, i - start - (cr ? 1 : 0)),
                         static_cast<int>(lines.size()) + 1,
                         cr ? LineEnd::CrLf : LineEnd::LfAlone});
    start = i + 1;
  }
  lines.push_back(Line{std::string_view(data + start, size - start),
                       static_cast<int>(lines.size()) + 1, LineEnd::None});
  return lines;
}

std::string quoted(std::string_view text) {
  if (text.size() <= QuotedBytes)
    return '"' + printableText(text) + '"';
  return '"' + printableText(text.substr(0, QuotedBytes)) + "...\"";
}

// The reader's own scanner over one line's text.
LevelScanner lineScanner(std::string_view text) {
  return LevelScanner{text.data(), text.size()};
}

bool readBrick(std::string_view text, Brick &brick) {
  LevelScanner scanner = lineScanner(text);
  int32_t *fields[] = {&brick.x, &brick.y, &brick.type};
  for (int i = 0; i < 3; ++i) {
    const std::string_view token = scanner.numberToken();
    if (token.empty() || !fitsInt32(token, *fields[i]) || (i < 2 && !scanner.readLiteral(';')))
      return false;
  }
  scanner.skipWhite();
  return scanner.atEnd();
}

bool isBlank(std::string_view text) {
  return std::all_of(text.begin(), text.end(), LevelScanner::isWhite);
}

std::string at(const Line &line, const std::string &problem) {
  return "line " + std::to_string(line.number) + ": " + problem;
}

void checkLineEnd(const Line &line, std::vector<std::string> &problems) {
  if (line.end == LineEnd::LfAlone)
    problems.push_back(at(line, "ends in LF alone instead of CR LF"));
  else if (line.end == LineEnd::None)
    problems.push_back(at(line, "ends without CR LF"));
}

std::string brickText(const Brick &brick) {
  return std::to_string(brick.x) + ";" + std::to_string(brick.y) + ";" + std::to_string(brick.type);
}

std::string position(const Brick &brick) {
  return "(" + std::to_string(brick.x) + ", " + std::to_string(brick.y) + ")";
}

// The bricks seen so far, by the brick-sized cell that holds their corner: an overlapping
// brick lies in the same cell or a neighbouring one, so a file of many bricks costs no more
// than the overlaps it reports. Division truncates, which only makes the cells on either side
// of 0 one cell wide together; two corners less than a brick apart still land in the same
// cell or neighbouring ones.
class OverlapFinder {
public:
  // Lines of the earlier bricks that brick overlaps, in file order; then brick is kept.
  std::vector<int> add(const Brick &brick, int lineNumber) {
    const int64_t column = brick.x / BrickWidth;
    const int64_t row = brick.y / BrickHeight;
    std::vector<int> lines;
    for (int64_t c = column - 1; c <= column + 1; ++c)
      for (int64_t r = row - 1; r <= row + 1; ++r) {
        const auto cell = cells_.find({c, r});
        if (cell == cells_.end())
          continue;
        for (const auto &[other, otherLine] : cell->second)
          if (bricksOverlap(brick.x, brick.y, other.x, other.y))
            lines.push_back(otherLine);
      }
    std::sort(lines.begin(), lines.end());
    cells_[{column, row}].emplace_back(brick, lineNumber);
    return lines;
  }

private:
  std::map<std::pair<int64_t, int64_t>, std::vector<std::pair<Brick, int>>> cells_;
};

void checkBrick(const Line &line, const Brick &brick, OverlapFinder &overlaps,
                std::vector<std::string> &problems) {
  if (line.text != brickText(brick))
    problems.push_back(
        at(line, quoted(line.text) + " is not as the editor writes it (" + brickText(brick) + ")"));
  if (brick.type < 1 || brick.type > LastBrickType)
    problems.push_back(at(line, "type " + std::to_string(brick.type) + " is outside " + TypeRange));
  if (!insideLevel(brick.x, brick.y))
    problems.push_back(at(line, "brick at " + position(brick) + " lies outside the playing field"));
  for (const int earlier : overlaps.add(brick, line.number))
    problems.push_back(at(line, "brick at " + position(brick) + " overlaps the brick on line " +
                                    std::to_string(earlier)));
}

// Problems of line 1 but its line end; sets count when it is one the editor can hold.
void checkCount(const Line &line, bool &counted, int32_t &count,
                std::vector<std::string> &problems) {
  LevelScanner scanner = lineScanner(line.text);
  const std::string_view token = scanner.numberToken();
  scanner.skipWhite();
  if (token.empty() || !scanner.atEnd()) {
    problems.push_back(at(line, quoted(line.text) + " is not a brick count"));
    return;
  }
  if (!fitsInt32(token, count) || count < 0 || count > BrickSlots) {
    problems.push_back(at(line, "count " + std::string(token) + " is outside " + CountRange));
    return;
  }
  counted = true;
  if (line.text != std::to_string(count))
    problems.push_back(at(line, quoted(line.text) + " is not as the editor writes it (" +
                                    std::to_string(count) + ")"));
}

// Where the brick lines end and what became of the author's name.
struct Layout {
  // Lines [1, bodyEnd) are the brick lines and whatever stands among them.
  std::size_t bodyEnd;
  bool authorMissing = false;
  const Line *authorWithLineEnd = nullptr;
};

Layout layoutOf(const std::vector<Line> &lines) {
  Brick brick;
  const Line &last = lines.back();
  if (lines.size() == 1) // the count alone, with no line end
    return Layout{1, true};
  if (!last.text.empty())
    return readBrick(last.text, brick) ? Layout{lines.size(), true} : Layout{lines.size() - 1};
  // The file ends in a line end: the line before it is the author's name, unless it is blank or
  // a brick.
  const Line &before = lines[lines.size() - 2];
  if (lines.size() > 2 && !isBlank(before.text) && !readBrick(before.text, brick))
    return Layout{lines.size() - 2, false, &before};
  return Layout{lines.size() - 1, true};
}

} // namespace

std::string printableText(std::string_view text) {
  std::string result;
  for (const char c : text) {
    const unsigned char byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7f && c != '"' && c != '\\') {
      result.push_back(c);
    } else if (c == '\t' || c == '\r') {
      result += c == '\t' ? "\\t" : "\\r";
    } else {
      char escape[5];
      std::snprintf(escape, sizeof escape, "\\x%02x", byte);
      result += escape;
    }
  }
  return result;
}

LevelCheck checkLevelBytes(const char *data, std::size_t size) {
  LevelCheck check;
  // What the editor itself would load from these bytes.
  Bricks bricks{};
  int32_t loadedCount = 0;
  const LevelParse parse = parseLevelBytes(data, size, bricks, loadedCount);
  check.brickCount = parse.refused ? parse.refusedCount : loadedCount;
  check.authorWord = parse.authorWord;
  if (size == 0) {
    check.problems.push_back("the file is empty");
    return check;
  }

  const std::vector<Line> lines = splitLines(data, size);
  const Layout layout = layoutOf(lines);
  std::vector<std::string> bodyProblems;
  OverlapFinder overlaps;
  int brickLines = 0;
  for (std::size_t i = 1; i < layout.bodyEnd; ++i) {
    const Line &line = lines[i];
    Brick brick;
    if (readBrick(line.text, brick)) {
      ++brickLines;
      checkBrick(line, brick, overlaps, bodyProblems);
    } else if (isBlank(line.text)) {
      bodyProblems.push_back(at(line, "blank line"));
    } else {
      bodyProblems.push_back(at(line, quoted(line.text) + " is not x;y;type"));
    }
    checkLineEnd(line, bodyProblems);
  }
  if (layout.authorWithLineEnd != nullptr)
    bodyProblems.push_back(at(*layout.authorWithLineEnd, "line end after the author's name"));
  if (layout.authorMissing)
    bodyProblems.push_back("no author's name at the end of the file");

  bool counted = false;
  int32_t count = 0;
  checkCount(lines[0], counted, count, check.problems);
  if (counted && count != brickLines)
    check.problems.push_back(
        at(lines[0], "count is " + std::to_string(count) + " but " + std::to_string(brickLines) +
                         (brickLines == 1 ? " brick line follows" : " brick lines follow")));
  checkLineEnd(lines[0], check.problems);
  check.problems.insert(check.problems.end(), bodyProblems.begin(), bodyProblems.end());
  check.sound = check.problems.empty();
  return check;
}

LevelCheck checkLevelFile(const std::string &path) {
  LevelCheck check;
  std::string bytes;
  if (readFileBytes(path, bytes) != FileRead::Done) {
    check.problems.push_back(std::string("cannot be read: ") + std::strerror(errno));
    return check;
  }
  return checkLevelBytes(bytes.data(), bytes.size());
}
