#pragma once
// brickedit --simulate: plays levels headless with the autopilot, after working out which
// bricks no ball can ever break, so that a level pack can be checked for levels that cannot
// be finished.

#include <ostream>
#include <string>
#include <vector>

// For each file, in the order given, read as the editor opens it (onto an empty level), prints
// exactly one of
//   FILE: cleared in M:SS.mmm of play, B balls left, H paddle hits
//   FILE: not cleared, N of T bricks left after M:SS.mmm of play
//   FILE: nothing to break
//   FILE: REASON                 the file cannot be read, worded as --check words it
// then, when some bricks can never be broken, FILE: K bricks can never be broken: x;y;type ...
// (file order). T counts the bricks to break; counts of one take the singular. Play lasts at
// most ten minutes and stops as soon as every brick left can never be broken. Returns 0 when
// every file is cleared, 1 otherwise or when out fails, 2 (with the usage on err) without files.
int runSimulate(const std::vector<std::string> &files, std::ostream &out, std::ostream &err);
