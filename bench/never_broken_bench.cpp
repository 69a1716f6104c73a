// The analysis of which bricks no ball can ever break, against its budget of 20 ms a level:
// on a full level, where every brick breaks and every place of the field is reached; on a full
// level of dynamites, each blast looking at every brick; and on walls nested one inside the
// other 8 px apart, where nearly every place reached touches a brick.
//
// build/bench/benchmarks --benchmark_filter=NeverBroken --benchmark_repetitions=5
//   --benchmark_report_aggregates_only=true

#include "game/game_rules.h"
#include "game/never_broken.h"

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

constexpr double BudgetSeconds = 0.020;

// 396 bricks filling the level area, of the ordinary and invisible types, which all break.
Bricks fullLevel(int32_t type) {
  Bricks bricks{};
  for (int slot = 0; slot < BrickSlots; ++slot)
    bricks[slot] = Brick{LevelLeft + BrickWidth * (slot % GridColumns),
                         LevelTop + BrickHeight * (slot / GridColumns),
                         type != 0 ? type : (slot % 22 == 21 ? InvisibleType : 1 + slot % 21)};
  return bricks;
}

// Rings of bricks, each 8 px inside the last, from the level area's edges inwards: a row of
// bricks along the top and bottom, a column down each side. Where a side does not divide into
// whole bricks, the rest is left as a gap at its end, some narrower than a ball, some not.
Bricks nestedWalls(int32_t &brickCount) {
  Bricks bricks{};
  brickCount = 0;
  const auto lay = [&](int x, int y) {
    if (brickCount < BrickSlots)
      bricks[brickCount++] = Brick{x, y, 1 + brickCount % LastOrdinaryType};
  };
  for (int ring = 0;; ++ring) {
    const int left = LevelLeft + (BrickWidth + BallSize) * ring;
    const int right = LevelRight - (BrickWidth + BallSize) * ring;
    const int top = LevelTop + (BrickHeight + BallSize) * ring;
    const int bottom = LevelBottom - (BrickHeight + BallSize) * ring;
    if (right - left < 3 * BrickWidth || bottom - top < 3 * BrickHeight)
      return bricks;
    for (int y = top; y + BrickHeight <= bottom; y += BrickHeight) {
      lay(left, y);
      lay(right - BrickWidth, y);
    }
    for (int x = left + BrickWidth; x + 2 * BrickWidth <= right; x += BrickWidth) {
      lay(x, top);
      lay(x, bottom - BrickHeight);
    }
  }
}

void analyse(benchmark::State &run, const Bricks &bricks, int32_t brickCount) {
  std::size_t neverBroken = 0;
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : run) {
    const std::vector<int32_t> slots = bricksNeverBroken(bricks, brickCount);
    neverBroken = slots.size();
    benchmark::DoNotOptimize(slots.data());
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  if (neverBroken != 0)
    run.SkipWithError("every brick of these levels breaks");
  run.counters["bricks"] = brickCount;
  if (run.iterations() > 0)
    run.counters["pct_of_20ms"] =
        100.0 * seconds / static_cast<double>(run.iterations()) / BudgetSeconds;
}

void BM_NeverBrokenFullLevel(benchmark::State &run) {
  analyse(run, fullLevel(0), BrickSlots);
}
BENCHMARK(BM_NeverBrokenFullLevel)->Unit(benchmark::kMillisecond);

void BM_NeverBrokenFullOfDynamite(benchmark::State &run) {
  analyse(run, fullLevel(DynamiteType), BrickSlots);
}
BENCHMARK(BM_NeverBrokenFullOfDynamite)->Unit(benchmark::kMillisecond);

void BM_NeverBrokenNestedWalls(benchmark::State &run) {
  int32_t brickCount = 0;
  const Bricks bricks = nestedWalls(brickCount);
  analyse(run, bricks, brickCount);
}
BENCHMARK(BM_NeverBrokenNestedWalls)->Unit(benchmark::kMillisecond);

} // namespace
