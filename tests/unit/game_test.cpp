// Games as data: each file of tests/data/games/ is played on the game core, tick by tick. After
// a first line saying what it checks, a file holds:
//   brick X Y TYPE                  the level's bricks, in slot order;
//   at T pointer X | serve | autopilot on|off
//                                   the inputs of tick T (the first tick is 1); the pointer,
//                                   from 0, and the autopilot stay as set, a serve lasts a tick;
//   expect T KIND [SLOT], ...       what happens at tick T, in order (KIND as in KindNames);
//   bounce N VX VY                  the velocity the Nth paddle hit leaves the ball with.
// The game is played to the last tick named and to the last paddle hit named. The events up to
// the last expected tick must be exactly those listed: none missing, none more.

#include "../support/invariants.h" // fileBytes
#include "game/game.h"
#include "storage/level_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>

namespace {

const std::string Data = TEST_DATA_DIR;
const char *const KindNames[] = {"served", "paddlehit", "hit",     "shown",   "broken",
                                 "blast",  "balllost",  "cleared", "gamelost"};

std::string spelled(uint32_t tick, const std::string &kind, int slot) {
  return std::to_string(tick) + " " + kind + (slot < 0 ? "" : " " + std::to_string(slot));
}

struct GameScript {
  Bricks bricks{};
  int32_t count = 0;
  std::multimap<uint32_t, std::string> inputs;
  std::vector<std::string> expected;
  uint32_t lastExpected = 0;
  uint32_t lastTick = 0;
  std::map<uint32_t, std::pair<int32_t, int32_t>> bounces;
};

GameScript readScript(const std::string &path) {
  GameScript script;
  std::istringstream lines(fileBytes(path));
  for (std::string line, word; std::getline(lines, line);) {
    std::istringstream in(line);
    uint32_t tick = 0, hit = 0;
    int32_t a = 0, b = 0, c = 0;
    if (!(in >> word) || word[0] == '#')
      continue;
    if (word == "brick" && in >> a >> b >> c)
      script.bricks[script.count++] = Brick{a, b, c};
    else if (word == "bounce" && in >> hit >> a >> b)
      script.bounces[hit] = {a, b};
    else if (word == "at" && in >> tick >> std::ws && std::getline(in, word))
      script.inputs.emplace(tick, word);
    else if (word == "expect" && in >> tick) {
      for (std::string event; std::getline(in >> std::ws, event, ',');) {
        std::istringstream parts(event);
        int slot = -1;
        parts >> word >> slot;
        script.expected.push_back(spelled(tick, word, slot));
      }
      script.lastExpected = tick;
    } else
      ADD_FAILURE() << path << ": " << line;
    script.lastTick = std::max(script.lastTick, tick);
  }
  return script;
}

TEST(Games, EveryFilePlaysAsWritten) {
  int played = 0;
  for (const auto &entry : std::filesystem::directory_iterator(Data + "/games")) {
    const std::string path = entry.path().string();
    const GameScript script = readScript(path);
    const uint32_t lastBounce = script.bounces.empty() ? 0 : script.bounces.rbegin()->first;
    Game game = startGame(script.bricks, script.count);
    TickInput input;
    std::vector<GameEvent> events;
    std::vector<std::string> happened;
    while (!gameOver(game) && (game.tick < script.lastTick || game.paddleHits < lastBounce)) {
      input.serve = false;
      const auto [from, to] = script.inputs.equal_range(game.tick + 1);
      for (auto at = from; at != to; ++at) {
        std::istringstream in(at->second);
        std::string what, state;
        in >> what;
        if (what == "pointer")
          in >> input.pointerX;
        input.serve = input.serve || what == "serve";
        if (what == "autopilot" && in >> state)
          input.autopilot = state == "on";
      }
      const uint32_t paddleHitsBefore = game.paddleHits;
      events.clear();
      advanceTick(game, input, &events);
      for (const GameEvent &event : events)
        if (event.tick <= script.lastExpected)
          happened.push_back(
              spelled(event.tick, KindNames[static_cast<int>(event.kind)], event.slot));
      if (game.paddleHits != paddleHitsBefore && script.bounces.count(game.paddleHits) != 0) {
        EXPECT_EQ(std::make_pair(game.ball.vx, game.ball.vy), script.bounces.at(game.paddleHits))
            << path << ", paddle hit " << game.paddleHits;
      }
    }
    EXPECT_EQ(happened, script.expected) << path;
    EXPECT_GE(game.paddleHits, lastBounce) << path;
    ++played;
  }
  EXPECT_GE(played, 8);
}

// The autopilot alone clears the sample level Pyramide within ten minutes of play.
TEST(Autopilot, ClearsPyramideWithinTenMinutes) {
  Bricks bricks{};
  EditorState state = initialEditorState();
  ASSERT_TRUE(readLevelFile(Data + "/../../levels/Pyramide.lvbk", bricks, state));
  Game game = startGame(bricks, state.brickCount);
  while (!gameOver(game) && ticksPlayed(game) < 600000)
    advanceTick(game, TickInput{0, false, true});
  EXPECT_EQ(phase(game), GamePhase::Cleared);
}

} // namespace
