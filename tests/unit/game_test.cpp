// Games as data: each file of tests/data/games/ is played on the game core, tick by tick. After
// a first line saying what it checks, a file holds:
//   brick X Y TYPE                  the level's bricks, in slot order;
//   at T pointer X | serve | autopilot on|off
//                                   the inputs of tick T (the first tick is 1); the pointer,
//                                   from 0, and the autopilot stay as set, a serve lasts a tick;
//   expect T KIND [SLOT], ...       all that happens at tick T, in order, one space between
//                                   words (KIND as in KindNames);
//   bounce N VX VY                  the velocity the Nth paddle hit leaves the ball with.
// The game is played to the last tick named and to the last paddle hit named. The events up to
// the last tick named must be exactly those listed: none missing, none more.

#include "../support/invariants.h" // fileBytes
#include "game/game.h"
#include "game/never_broken.h"
#include "game/paddle_angles.h"
#include "storage/level_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <map>
#include <sstream>

namespace {

const std::string Data = TEST_DATA_DIR;
const char *const KindNames[] = {"served", "paddlehit", "hit",     "shown",   "broken",
                                 "blast",  "balllost",  "cleared", "gamelost"};

TEST(Games, EveryFilePlaysAsWritten) {
  for (const auto &entry : std::filesystem::directory_iterator(Data + "/games")) {
    Bricks bricks{};
    int32_t count = 0;
    std::multimap<uint32_t, std::string> inputs;
    std::map<uint32_t, std::string> expected, happened;
    std::map<uint32_t, std::pair<int32_t, int32_t>> bounces, bounced;
    uint32_t lastTick = 0;
    std::istringstream lines(fileBytes(entry.path().string()));
    for (std::string line, word; std::getline(lines, line);) {
      std::istringstream in(line);
      uint32_t tick = 0, hit = 0;
      int32_t a = 0, b = 0, c = 0;
      if (!(in >> word) || word[0] == '#')
        continue;
      if (word == "brick" && in >> a >> b >> c)
        bricks[count++] = Brick{a, b, c};
      else if (word == "bounce" && in >> hit >> a >> b)
        bounces[hit] = {a, b};
      else if (word == "at" && in >> tick >> std::ws && std::getline(in, word))
        inputs.emplace(tick, word);
      else if (!(word == "expect" && in >> tick >> std::ws && std::getline(in, expected[tick])))
        ADD_FAILURE() << entry.path() << ": " << line;
      lastTick = std::max(lastTick, tick);
    }
    const uint32_t lastBounce = bounces.empty() ? 0 : bounces.rbegin()->first;
    Game game = startGame(bricks, count);
    TickInput input;
    std::vector<GameEvent> events;
    while (!gameOver(game) && (ticksPlayed(game) < lastTick || paddleHits(game) < lastBounce)) {
      input.serve = false;
      for (auto [at, end] = inputs.equal_range(ticksPlayed(game) + 1); at != end; ++at) {
        std::string what, value;
        std::istringstream(at->second) >> what >> value;
        input.pointerX = what == "pointer" ? std::stoi(value) : input.pointerX;
        input.serve = input.serve || what == "serve";
        input.autopilot = what == "autopilot" ? value == "on" : input.autopilot;
      }
      advanceTick(game, input, &events);
      // The velocity of the tick that made the paddle hits what they are.
      bounced.emplace(paddleHits(game), std::make_pair(game.ball.vx, game.ball.vy));
    }
    // The events of each tick as the files spell them: "KIND [SLOT], ...".
    for (const GameEvent &event : events) {
      std::string &text = happened[event.tick];
      text += (text.empty() ? "" : ", ") + std::string(KindNames[static_cast<int>(event.kind)]) +
              (event.slot < 0 ? "" : " " + std::to_string(event.slot));
    }
    happened.erase(happened.upper_bound(lastTick), happened.end());
    EXPECT_EQ(happened, expected) << entry.path();
    for (const auto &[hit, velocity] : bounces)
      EXPECT_EQ(bounced[hit], velocity) << entry.path() << ", paddle hit " << hit;
  }
  EXPECT_GE(std::distance(std::filesystem::directory_iterator(Data + "/games"), {}), 8);
}

// The table the compiler builds from a series in integers holds, at each offset of a paddle hit
// and at no other, the sine and cosine of its angle rounded to the millionth.
TEST(PaddleAngles, EachOffsetHoldsItsAngleRounded) {
  for (std::size_t offset = 0; offset < PaddleAngleTable.sine.size(); ++offset) {
    const double angle = std::acos(-1.0) / 3 * static_cast<double>(offset) / MostPaddleOffset;
    EXPECT_EQ(PaddleAngleTable.sine[offset], std::llround(std::sin(angle) * TrigScale));
    EXPECT_EQ(PaddleAngleTable.cosine.at(offset), std::llround(std::cos(angle) * TrigScale));
  }
}

// The editor leaves a brick behind beyond its count when it erases one: the analysis reads none
// of those. Here one fills the only gap a ball could take to the walled brick.
TEST(NeverBroken, BricksBeyondTheCountTakeNoPart) {
  Bricks bricks{};
  EditorState state = initialEditorState();
  ASSERT_TRUE(readLevelFile(Data + "/simulate/gap_8px.lvbk", bricks, state));
  bricks[state.brickCount] = Brick{200, 120, UnbreakableType};
  EXPECT_TRUE(bricksNeverBroken(bricks, state.brickCount).empty());
}

} // namespace
