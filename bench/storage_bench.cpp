// Saving and opening the largest level, and handing its recovery copy to the writer thread,
// against the 26 ms between two frames: each blocks the event loop, so each should stay well
// inside one frame.

#include "editor/control/keep_unsaved_work.h"
#include "storage/background_writer.h"
#include "storage/level_file.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <stdlib.h>
#include <unistd.h>

namespace {

constexpr double FrameBudgetSeconds = 0.026;

Bricks fullLevel() {
  Bricks bricks{};
  for (int i = 0; i < BrickSlots; ++i)
    bricks[i] = Brick{24 + 40 * (i % GridColumns), 30 + 20 * (i / GridColumns), i % 24 + 1};
  return bricks;
}

std::string makeScratchDirectory() {
  std::string pattern =
      (std::filesystem::temp_directory_path() / "brickedit-bench-XXXXXX").string();
  return mkdtemp(pattern.data()) != nullptr ? pattern + "/" : std::string();
}

// Share of one frame's time that one call takes on average, by the wall clock: saving waits
// for the disk. Above 1 the call would make the editor miss a frame.
void reportAgainstFrame(benchmark::State &state, std::chrono::steady_clock::duration elapsed) {
  const double perCall = std::chrono::duration<double>(elapsed).count() /
                         static_cast<double>(state.iterations() ? state.iterations() : 1);
  state.counters["frame_share"] = perCall / FrameBudgetSeconds;
}

void BM_SaveFullLevel(benchmark::State &state) {
  const std::string directory = makeScratchDirectory();
  const Bricks bricks = fullLevel();
  EditorState editorState = initialEditorState();
  editorState.brickCount = BrickSlots;
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state)
    benchmark::DoNotOptimize(saveLevel(editorState, bricks, "plein", "Auteur", directory));
  const auto elapsed = std::chrono::steady_clock::now() - start;
  reportAgainstFrame(state, elapsed);
  std::filesystem::remove_all(directory);
}
BENCHMARK(BM_SaveFullLevel)->Unit(benchmark::kMillisecond)->UseRealTime();

// What a recovery copy of the largest level costs the event loop: the level's bytes made and
// handed to the writer thread, which writes them off the loop. The loop may give it 5 ms.
void BM_RecoveryCopyOnTheLoop(benchmark::State &state) {
  BackgroundWriter writer;
  writer.levelDirectory = makeScratchDirectory();
  writer.fileName = "recovery.bench.lvbk";
  startBackgroundWriter(writer);
  Editor editor;
  editor.bricks = fullLevel();
  editor.state.brickCount = BrickSlots;
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state)
    requestWrite(writer, unsavedLevelBytes(editor));
  const auto elapsed = std::chrono::steady_clock::now() - start;
  reportAgainstFrame(state, elapsed);
  stopBackgroundWriter(writer);
  std::filesystem::remove_all(writer.levelDirectory);
}
BENCHMARK(BM_RecoveryCopyOnTheLoop)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_ReadFullLevel(benchmark::State &state) {
  const std::string directory = makeScratchDirectory();
  EditorState editorState = initialEditorState();
  editorState.brickCount = BrickSlots;
  Bricks bricks = fullLevel();
  saveLevel(editorState, bricks, "plein", "Auteur", directory);
  const std::string path = directory + "plein.lvbk";
  // The author's word is echoed on every read; keep it out of the terminal.
  std::fflush(stdout);
  const int savedStdout = dup(1);
  std::FILE *sink = std::fopen("/dev/null", "w");
  dup2(fileno(sink), 1);
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state) {
    editorState.brickCount = 0;
    benchmark::DoNotOptimize(readLevelFile(path, bricks, editorState));
  }
  const auto elapsed = std::chrono::steady_clock::now() - start;
  std::fflush(stdout);
  dup2(savedStdout, 1);
  close(savedStdout);
  std::fclose(sink);
  if (editorState.brickCount != BrickSlots)
    state.SkipWithError("the level did not read back whole");
  reportAgainstFrame(state, elapsed);
  std::filesystem::remove_all(directory);
}
BENCHMARK(BM_ReadFullLevel)->Unit(benchmark::kMicrosecond)->UseRealTime();

} // namespace
