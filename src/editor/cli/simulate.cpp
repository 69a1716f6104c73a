#include "editor/cli/simulate.h"

#include "editor/cli/command_line.h"
#include "game/game.h"
#include "game/never_broken.h"
#include "game/play_time.h"
#include "storage/file_bytes.h"
#include "storage/level_check.h"
#include "storage/level_parser.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

// Ten minutes of play, in ticks of a millisecond.
constexpr uint32_t MostTicks = 10 * 60 * 1000;

std::string counted(int64_t count, const std::string &noun) {
  return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

// Why the editor would not open the file, as --check words it; "" when it would.
std::string unreadable(const std::string &path, std::string &bytes, Bricks &bricks,
                       int32_t &count) {
  if (readFileBytes(path, bytes) != FileRead::Done)
    return std::string("cannot be read: ") + std::strerror(errno);
  if (!parseLevelBytes(bytes.data(), bytes.size(), bricks, count).refused)
    return {};
  // The refused count, with the wording and the number as written of --check.
  for (const std::string &problem : checkLevelBytes(bytes.data(), bytes.size()).problems)
    if (problem.rfind("line 1: count ", 0) == 0 &&
        problem.find(" is outside ") != std::string::npos)
      return problem;
  return "the brick count is outside 0.." + std::to_string(BrickSlots);
}

// One file's lines; true when it is cleared.
bool simulate(const std::string &file, std::ostream &out) {
  std::string bytes;
  Bricks bricks{};
  int32_t count = 0;
  if (const std::string reason = unreadable(file, bytes, bricks, count); !reason.empty()) {
    out << file << ": " << reason << '\n';
    return false;
  }
  const int32_t inUse = bricksInUse(count);
  const int64_t toBreak =
      std::count_if(bricks.begin(), bricks.begin() + inUse,
                    [](const Brick &brick) { return isBrickToBreak(brick.type); });
  if (toBreak == 0) {
    out << file << ": nothing to break\n";
    return false;
  }
  const std::vector<int32_t> never = bricksNeverBroken(bricks, count);
  Game game = startGame(bricks, count);
  // Every brick left can never be broken: playing on would change nothing.
  while (!gameOver(game) && ticksPlayed(game) < MostTicks &&
         bricksToBreakLeft(game) > static_cast<int32_t>(never.size()))
    advanceTick(game, TickInput{0, false, true});
  const bool cleared = phase(game) == GamePhase::Cleared;
  if (cleared)
    out << file << ": cleared in " << playTimeText(ticksPlayed(game)) << " of play, "
        << counted(ballsLeft(game), "ball") << " left, " << counted(paddleHits(game), "paddle hit")
        << '\n';
  else
    out << file << ": not cleared, " << bricksToBreakLeft(game) << " of "
        << counted(toBreak, "brick") << " left after " << playTimeText(ticksPlayed(game))
        << " of play\n";
  if (!never.empty()) {
    out << file << ": " << counted(static_cast<int64_t>(never.size()), "brick")
        << " can never be broken:";
    for (const int32_t slot : never)
      out << ' ' << bricks[slot].x << ';' << bricks[slot].y << ';' << bricks[slot].type;
    out << '\n';
  }
  return cleared;
}

} // namespace

int runSimulate(const std::vector<std::string> &files, std::ostream &out, std::ostream &err) {
  if (files.empty()) {
    err << "brickedit: --simulate needs at least one level file\n" << usageText();
    return 2;
  }
  bool allCleared = true;
  for (const std::string &file : files)
    allCleared = simulate(file, out) && allCleared;
  out.flush();
  if (!out) {
    err << "brickedit: the report could not be written\n";
    return 1;
  }
  return allCleared ? 0 : 1;
}
