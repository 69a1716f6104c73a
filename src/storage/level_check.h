#pragma once
// Checks a level file against what the editor writes, for the command line's --check. The
// editor's reader takes much that the editor never writes (LF alone, blanks, signs, counts that
// disagree with the brick lines); a level designer wants to hear about all of it, line by line.
//
// A sound file is exactly one the editor could have saved: the count in 0..396 written as "%d",
// that many lines "%d;%d;%d" with each brick whole inside the playing field (x >= 24,
// x + 40 <= 776, y >= 30, y + 20 <= 470), of a type in 1..24, no two overlapping (less than
// 40 apart across and 20 down), every line ended by CR LF, then the author's name with no line
// end. The author's text itself is not checked. A count of 0 is sound: it reads back as an
// empty level.
//
// Problems, one short line each, in file order; within a line its text comes before its end.
// Lines count from 1, the count being line 1; TEXT is the line shown as under printableText,
// cut to 40 bytes with "..." after it.
//   cannot be read: REASON              the file does not open or read (REASON from strerror)
//   the file is empty
//   line 1: "TEXT" is not a brick count
//   line 1: count N is outside 0..396   (N as written)
//   line 1: count is N but M brick lines follow   ("1 brick line follows" for M = 1)
//   line K: "TEXT" is not as the editor writes it (CANONICAL)
//                                       read the same as CANONICAL, but with blanks, tabs,
//                                       signs or leading zeros the editor never writes
//   line K: "TEXT" is not x;y;type      not three 32-bit integers apart by ";"
//   line K: blank line
//   line K: type T is outside 1..24
//   line K: brick at (X, Y) lies outside the playing field
//   line K: brick at (X, Y) overlaps the brick on line J   (J < K; one problem per pair)
//   line K: ends in LF alone instead of CR LF
//   line K: ends without CR LF          a count or brick line that is the file's last
//   line K: line end after the author's name
//   no author's name at the end of the file
// Every line after line 1 that holds three integers is a brick line, also past the count, and
// its brick is checked; a line that is not one stays out of the count comparison.
//
// The last line is the author's name unless it reads as a brick, which is then a brick line
// without its line end. When the file ends in a line end, a last line that is neither a brick
// nor blank is taken as the author's name with a line end after it.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct LevelCheck {
  // True exactly when problems is empty.
  bool sound = false;
  // What the editor's reader takes from the file: the count (as written when refused, 0 when
  // none is read) and the author's word, the first run of non-blank characters after the bricks.
  int32_t brickCount = 0;
  std::string authorWord;
  std::vector<std::string> problems;
};

LevelCheck checkLevelBytes(const char *data, std::size_t size);

// The same over a file's bytes; a file that cannot be opened or read gives the one problem
// "cannot be read: REASON".
LevelCheck checkLevelFile(const std::string &path);

// text with printable ASCII kept, tab and CR written as \t and \r, and every other byte, '"'
// and '\' as \xNN, so that a report is one line of plain ASCII whatever the file holds.
std::string printableText(std::string_view text);
