// The placement at its worst and one motion event of a drag. Motion events can arrive about
// 1 ms apart, so each must cost well under that. Then undo, redo and the recording of a step
// on a full level, each against the 26 ms between two frames (pct_of_26ms), with the memory of
// a history of 1,000 such steps (history_KB once the history is full).
//
// build/bench/benchmarks --benchmark_filter='Step|Undo|Redo' --benchmark_repetitions=5
//   --benchmark_report_aggregates_only=true

#include "editor/editor.h"
#include "editor/editor_state.h"
#include "editor/history.h"
#include "help/hover_help.h"
#include "tools/place_pattern.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
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

// Every cell and, mirrored, every twin tested to the end: 396 bricks in use, none near the
// field, and the whole grid laid from x 40, where each twin falls exactly on a pattern brick.
// Both refuse only at the slot limit, after all the tests; range(0) is 1 for mirrored.
void BM_PlacePatternFullTest(benchmark::State &run) {
  WorstCase level;
  level.bricks[BrickSlots - 1] = Brick{3000, 3000, 1};
  const bool mirrored = run.range(0) == 1;
  for (auto _ : run) {
    const int placed =
        placePattern(40, 30, level.selection, 1, level.state, level.bricks, mirrored);
    benchmark::DoNotOptimize(placed);
    if (placed != 0 || level.state.brickCount != BrickSlots)
      run.SkipWithError("the full level must refuse at the slot limit");
  }
}
BENCHMARK(BM_PlacePatternFullTest)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

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

// 396 bricks filling the level area, column by column.
std::unique_ptr<Editor> fullLevel() {
  auto editor = std::make_unique<Editor>();
  for (int slot = 0; slot < BrickSlots; ++slot) {
    editor->bricks[slot] = Brick{24 + BrickWidth * (slot / GridRows),
                                 30 + BrickHeight * (slot % GridRows), 1 + slot % LastBrickType};
  }
  editor->state.brickCount = BrickSlots;
  return editor;
}

// The dearest step there is: every brick retyped, every pattern cell flipped, a setting
// changed. A step that opens a level over a full one changes no more than this.
void changeEverything(Editor &editor) {
  for (Brick &brick : editor.bricks)
    brick.type = brick.type % LastBrickType + 1;
  for (uint8_t &cell : editor.selection)
    cell = cell == 0 ? 1 : 0;
  editor.state.spacingX ^= 1;
}

// The commonest step on a full level: one brick retyped.
void retypeOne(Editor &editor) {
  editor.bricks[200].type = editor.bricks[200].type % LastBrickType + 1;
}

using Clock = std::chrono::steady_clock;

// The time spent, per iteration, as a share of the 26 ms between two frames.
void reportShareOfFrame(benchmark::State &run, Clock::duration spent) {
  const double seconds = std::chrono::duration<double>(spent).count();
  if (run.iterations() > 0)
    run.counters["pct_of_26ms"] = 100.0 * seconds / static_cast<double>(run.iterations()) / 0.026;
}

// Bytes the kept steps hold on the heap and in the history itself.
std::size_t historyBytes(const History &history) {
  std::size_t bytes = sizeof history;
  for (const auto &step : history.steps) {
    bytes += sizeof step + step.slots.capacity() * sizeof(step.slots[0]) +
             step.cells.capacity() * sizeof(step.cells[0]) +
             step.settings.capacity() * sizeof(step.settings[0]);
  }
  return bytes;
}

void reportHistory(benchmark::State &run, const History &history) {
  run.counters["steps"] = static_cast<double>(history.steps.size());
  run.counters["history_KB"] = static_cast<double>(historyBytes(history)) / 1024.0;
}

// Opening the step (a copy of the work), the change, closing it (the comparison and the
// kept differences); once the history is full, dropping the oldest step as well.
template <void (*change)(Editor &)> void BM_RecordStep(benchmark::State &run) {
  auto editor = fullLevel();
  const Clock::time_point start = Clock::now();
  for (auto _ : run) {
    openStep(*editor);
    change(*editor);
    closeStep(*editor, true);
  }
  reportShareOfFrame(run, Clock::now() - start);
  reportHistory(run, editor->history);
}
BENCHMARK(BM_RecordStep<changeEverything>)->Name("BM_RecordStep/full_level")->MinTime(0.2);
BENCHMARK(BM_RecordStep<retypeOne>)->Name("BM_RecordStep/one_brick")->MinTime(0.2);

// A full history of the dearest steps, walked back (undo) or forth (redo) one step per
// iteration; at either end it is walked back the other way with the clock stopped.
void walkHistory(benchmark::State &run, void (*step)(Editor &), void (*back)(Editor &)) {
  auto editor = fullLevel();
  for (std::size_t i = 0; i < HistoryLimit; ++i) {
    openStep(*editor);
    changeEverything(*editor);
    closeStep(*editor, true);
  }
  const History &history = editor->history;
  // Steps done, counted towards the end step walks to.
  const auto walked = [&](void (*towards)(Editor &)) {
    return towards == undoStep ? history.steps.size() - history.done : history.done;
  };
  while (walked(back) < history.steps.size())
    back(*editor);
  Clock::duration spent{};
  for (auto _ : run) {
    if (walked(step) == history.steps.size()) {
      run.PauseTiming();
      while (walked(back) < history.steps.size())
        back(*editor);
      run.ResumeTiming();
    }
    const Clock::time_point start = Clock::now();
    step(*editor);
    spent += Clock::now() - start;
  }
  reportShareOfFrame(run, spent);
  reportHistory(run, editor->history);
}
void BM_UndoFullLevel(benchmark::State &run) {
  walkHistory(run, undoStep, redoStep);
}
void BM_RedoFullLevel(benchmark::State &run) {
  walkHistory(run, redoStep, undoStep);
}
BENCHMARK(BM_UndoFullLevel);
BENCHMARK(BM_RedoFullLevel);

} // namespace
