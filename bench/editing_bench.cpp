// The placement at its worst and one motion event of a drag. Motion events can arrive about
// 1 ms apart, so each must cost well under that.

#include "editor/editor_state.h"
#include "help/hover_help.h"
#include "tools/place_pattern.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

// Every slot in use and the whole grid selected: 396 cells against 396 bricks, the worst for a
// test of every cell against every brick. Only the last brick meets the last cell, so the
// refusal comes at the very last cell. (Such a level, with bricks outside the level area, can
// only come from a file.)
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
  run.counters["cell_brick_pairs"] = BrickSlots * BrickSlots;
}
BENCHMARK(BM_PlacePatternWorstCase)->Unit(benchmark::kMicrosecond);

// The bricks piled where the index looks most: 395 of them on one spot that touches four cells
// of a pattern of 9 columns 40 pixels apart, and the last brick meeting the last cell. Every
// cell next to the pile tests the whole pile. (Only a level file can pile bricks.)
void BM_PlacePatternPiledBricks(benchmark::State &run) {
  Bricks bricks{};
  Selection selection{};
  EditorState state = initialEditorState();
  for (int column = 0; column < GridColumns; column += 2) {
    for (int row = 0; row < GridRows; ++row)
      selection[cellIndex(column, row)] = 1;
  }
  updatePatternBox(selection, state);
  for (int slot = 0; slot < BrickSlots - 1; ++slot)
    bricks[slot] = Brick{24 + BrickWidth, 30, 1};
  bricks[BrickSlots - 1] = Brick{24 + 8 * 2 * BrickWidth, 30 + (GridRows - 1) * BrickHeight, 1};
  state.brickCount = BrickSlots;
  for (auto _ : run) {
    const int placed = placePattern(24, 30, selection, 1, state, bricks);
    benchmark::DoNotOptimize(placed);
    if (placed != 0 || state.brickCount != BrickSlots)
      run.SkipWithError("the piled case must be refused");
  }
}
BENCHMARK(BM_PlacePatternPiledBricks)->Unit(benchmark::kMicrosecond);

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
