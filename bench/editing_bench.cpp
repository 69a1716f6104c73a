// The placement at its worst and one motion event of a drag. Motion events can arrive about
// 1 ms apart, so each must cost well under that.

#include "editor/editor_state.h"
#include "help/hover_help.h"
#include "tools/place_pattern.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

// Every slot in use and the whole grid selected: 396 cells each tested against 396 bricks.
// Only the last brick meets the last cell, so the refusal comes at the very last comparison.
// (Such a level, with bricks outside the level area, can only come from a file.)
struct WorstCase {
  Bricks bricks{};
  Selection selection{};
  EditorState state = initialEditorState();

  WorstCase() {
    selection.fill(1);
    updatePatternBox(selection, state);
    for (int slot = 0; slot < BrickSlots - 1; ++slot)
      bricks[slot] = Brick{2000 + 50 * slot, 2000, 1};
    const int lastX = 24 + (GridColumns - 1) * BrickWidth;
    const int lastY = 30 + (GridRows - 1) * BrickHeight;
    bricks[BrickSlots - 1] = Brick{lastX, lastY, 1};
    state.brickCount = BrickSlots;
  }
};

void BM_PlacePatternWorstCase(benchmark::State &run) {
  WorstCase level;
  for (auto _ : run) {
    const int placed = placePattern(24, 30, level.selection, 1, level.state, level.bricks);
    benchmark::DoNotOptimize(placed);
    if (placed != 0 || level.state.brickCount != BrickSlots)
      run.SkipWithError("the worst case must be refused");
  }
  run.counters["comparisons"] = BrickSlots * BrickSlots;
}
BENCHMARK(BM_PlacePatternWorstCase)->Unit(benchmark::kMicrosecond);

// One motion event during a drag over the worst level: the placement, then the help line.
void BM_MotionDuringDrag(benchmark::State &run) {
  WorstCase level;
  level.state.painting = 1;
  const int32_t currentBrickType = 1;
  std::string helpText;
  for (auto _ : run) {
    handleMotion(24, 30, level.selection, currentBrickType, level.state, level.bricks, helpText);
    benchmark::DoNotOptimize(helpText.data());
  }
}
BENCHMARK(BM_MotionDuringDrag)->Unit(benchmark::kMicrosecond);

} // namespace
