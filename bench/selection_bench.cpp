// Moving the selection, fit test included: every motion of a move drag ends in one at the
// release and every arrow key makes one, so a move of the whole level must stay well under the
// 1 ms between two motion events (at most 20 us).
//
// build/bench/benchmarks --benchmark_filter=MoveSelection --benchmark_repetitions=5
//   --benchmark_report_aggregates_only=true

#include "editor/editor_state.h"
#include "tools/selection.h"

#include <benchmark/benchmark.h>

namespace {

// 396 bricks filling the level area column by column from its top-left corner, which leaves 32
// pixels free on the right.
struct FullLevel {
  Bricks bricks{};
  BrickSelection selection;

  FullLevel() {
    for (int slot = 0; slot < BrickSlots; ++slot)
      bricks[slot] = Brick{24 + BrickWidth * (slot / GridRows),
                           30 + BrickHeight * (slot % GridRows), 1 + slot % LastBrickType};
  }
};

// Every brick selected, moved a pixel right then back left: each move fits.
void BM_MoveSelectionWholeLevel(benchmark::State &run) {
  FullLevel level;
  selectAll(level.selection, BrickSlots);
  int step = 1;
  for (auto _ : run) {
    moveSelected(level.selection, level.bricks, BrickSlots, step, 0);
    benchmark::DoNotOptimize(level.bricks.data());
    step = -step;
  }
  if (level.bricks[0].x != 24 + (step < 0 ? 1 : 0))
    run.SkipWithError("every move must fit");
}
BENCHMARK(BM_MoveSelectionWholeLevel)->Unit(benchmark::kMicrosecond);

// The left half selected, moved a pixel right into the right half: 198 moving bricks each
// tested against the 198 that stay, refused only at the last column.
void BM_MoveSelectionHalfRefused(benchmark::State &run) {
  FullLevel level;
  selectAll(level.selection, BrickSlots / 2);
  for (auto _ : run) {
    moveSelected(level.selection, level.bricks, BrickSlots, 1, 0);
    benchmark::DoNotOptimize(level.bricks.data());
  }
  if (level.bricks[0].x != 24)
    run.SkipWithError("the move must be refused");
}
BENCHMARK(BM_MoveSelectionHalfRefused)->Unit(benchmark::kMicrosecond);

} // namespace
