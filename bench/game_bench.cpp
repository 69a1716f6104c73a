// The game's tick on a full level: 396 bricks filling the level area, every type in turn, played
// by the autopilot (whose look-ahead adds its steps to the ball's). A tick must cost at most a
// microsecond, and ten minutes of play, 600,000 ticks, at most a second of CPU. An ended game
// starts again, so that every tick measured is one of play.
//
// build/bench/benchmarks --benchmark_filter='Game|Minutes' --benchmark_repetitions=5
//   --benchmark_report_aggregates_only=true

#include "game/game.h"

#include <benchmark/benchmark.h>

#include <ctime>
#include <vector>

namespace {

Bricks fullLevel() {
  Bricks bricks{};
  for (int slot = 0; slot < BrickSlots; ++slot)
    bricks[slot] = Brick{LevelLeft + BrickWidth * (slot / GridRows),
                         LevelTop + BrickHeight * (slot % GridRows), 1 + slot % LastBrickType};
  return bricks;
}

constexpr TickInput AutopilotOn{0, false, true};

void BM_GameTickWithAutopilot(benchmark::State &run) {
  const Bricks bricks = fullLevel();
  Game game = startGame(bricks, BrickSlots);
  std::vector<GameEvent> events;
  for (auto _ : run) {
    if (gameOver(game)) {
      run.PauseTiming();
      game = startGame(bricks, BrickSlots);
      run.ResumeTiming();
    }
    events.clear();
    advanceTick(game, AutopilotOn, &events);
    benchmark::DoNotOptimize(events.data());
  }
}
BENCHMARK(BM_GameTickWithAutopilot);

// Ten minutes of play in one iteration, starting again whenever a game ends; cpu_s is the
// process CPU time of the 600,000 ticks.
void BM_TenMinutesOfPlay(benchmark::State &run) {
  const Bricks bricks = fullLevel();
  std::vector<GameEvent> events;
  double seconds = 0;
  int games = 0;
  for (auto _ : run) {
    const std::clock_t start = std::clock();
    Game game = startGame(bricks, BrickSlots);
    for (int tick = 0; tick < 600000; ++tick) {
      if (gameOver(game)) {
        game = startGame(bricks, BrickSlots);
        ++games;
      }
      events.clear();
      advanceTick(game, AutopilotOn, &events);
    }
    benchmark::DoNotOptimize(game.ball);
    seconds += static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
  }
  run.counters["cpu_s"] = seconds / static_cast<double>(run.iterations());
  run.counters["games_ended"] = games;
}
BENCHMARK(BM_TenMinutesOfPlay)->Unit(benchmark::kMillisecond);

} // namespace
