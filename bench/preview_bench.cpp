// The browser frame with the preview of a full level (396 bricks) next to the same frame
// without it, drawn headless. The preview may add at most 0.3 ms to the frame.
//
// build/bench/benchmarks --benchmark_filter=Preview --benchmark_repetitions=5
//   --benchmark_report_aggregates_only=true
//
// BM_PreviewFramesInTurn draws the two frames alternately in one loop and times each on this
// thread's CPU clock, so that other work on a busy machine neither slows one more than the
// other nor counts at all; its extra_ms counter is the preview's cost per frame.

#include "editor/screen_layout.h"
#include "render/frame.h"
#include "render/render_resources.h"
#include "storage/level_preview.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;
constexpr double FrameIntervalMs = 26.0;

// The editor's own resources on the dummy video driver, opened once for every benchmark here.
ResourcePaths headlessPaths() {
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  return ResourcePaths{RUN_DIR "/comic.ttf", RUN_DIR "/bmp/objets.bmp"};
}

const RenderSetup &headless() {
  static const RenderSetup setup{headlessPaths()};
  return setup;
}

// Every slot of the level in use, every type in turn.
Bricks fullLevel() {
  Bricks bricks{};
  for (int slot = 0; slot < BrickSlots; ++slot)
    bricks[slot] = Brick{LevelLeft + BrickWidth * (slot % GridColumns),
                         LevelTop + BrickHeight * (slot / GridColumns), 1 + slot % LastBrickType};
  return bricks;
}

// The browser over a full level with ten names and the pointer on the first; with preview, the
// first name's level is a full one too, as refreshBrowserPreview leaves it.
std::unique_ptr<Editor> browserEditor(bool withPreview) {
  auto editor = std::make_unique<Editor>();
  editor->bricks = fullLevel();
  editor->state.brickCount = BrickSlots;
  editor->state.mode = BrowsingLevels;
  for (int index = 0; index < BrowserRowsShown; ++index)
    editor->levelList.push_back("niveau_" + std::to_string(index) + "_du_chateau.lvbk");
  editor->pointerX = 400;
  editor->pointerY = BrowserRowTop + BrowserRowStep / 2;
  editor->browserHighlight = 0;
  if (withPreview) {
    BrowserPreview &preview = editor->browserPreview;
    preview.nameIndex = 0;
    preview.fileName = editor->levelList[0];
    preview.readable = true;
    preview.bricks = fullLevel();
    preview.brickCount = BrickSlots;
    preview.author = "Testeur";
  }
  return editor;
}

double milliseconds(Clock::duration spent) {
  return std::chrono::duration<double, std::milli>(spent).count();
}

// CPU time of the calling thread, in milliseconds: drawing on the dummy driver is all CPU.
double threadCpuMs() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

void runFrames(benchmark::State &run, bool withPreview) {
  const RenderSetup &setup = headless();
  if (!setup.ok() || setup.resources().miniatures == nullptr) {
    run.SkipWithError("no headless display, sheet, font or miniatures");
    return;
  }
  const std::unique_ptr<Editor> editor = browserEditor(withPreview);
  Clock::duration spent{0};
  for (auto _ : run) {
    const Clock::time_point start = Clock::now();
    drawFrame(setup.resources(), *editor);
    spent += Clock::now() - start;
  }
  const double perFrame = milliseconds(spent) / static_cast<double>(run.iterations());
  run.counters["pct_of_26ms"] = 100.0 * perFrame / FrameIntervalMs;
}

void BM_PreviewBrowserFrameWithout(benchmark::State &run) {
  runFrames(run, false);
}
BENCHMARK(BM_PreviewBrowserFrameWithout)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PreviewBrowserFrameWith396Bricks(benchmark::State &run) {
  runFrames(run, true);
}
BENCHMARK(BM_PreviewBrowserFrameWith396Bricks)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PreviewFramesInTurn(benchmark::State &run) {
  const RenderSetup &setup = headless();
  if (!setup.ok() || setup.resources().miniatures == nullptr) {
    run.SkipWithError("no headless display, sheet, font or miniatures");
    return;
  }
  const std::unique_ptr<Editor> without = browserEditor(false);
  const std::unique_ptr<Editor> with = browserEditor(true);
  double spentWithout = 0;
  double spentWith = 0;
  for (auto _ : run) {
    double start = threadCpuMs();
    drawFrame(setup.resources(), *without);
    spentWithout += threadCpuMs() - start;
    start = threadCpuMs();
    drawFrame(setup.resources(), *with);
    spentWith += threadCpuMs() - start;
  }
  const double frames = static_cast<double>(run.iterations());
  run.counters["without_ms"] = spentWithout / frames;
  run.counters["with_ms"] = spentWith / frames;
  run.counters["extra_ms"] = (spentWith - spentWithout) / frames;
}
BENCHMARK(BM_PreviewFramesInTurn)->Unit(benchmark::kMillisecond)->UseRealTime();

// What moving onto another name costs once: reading and parsing a full level file.
void BM_PreviewReadFullLevel(benchmark::State &run) {
  const std::filesystem::path directory =
      std::filesystem::temp_directory_path() / ("brickedit-preview-" + std::to_string(getpid()));
  std::filesystem::create_directories(directory);
  {
    std::ofstream file(directory / "plein.lvbk", std::ios::binary);
    file << BrickSlots << "\r\n";
    for (const Brick &brick : fullLevel())
      file << brick.x << ";" << brick.y << ";" << brick.type << "\r\n";
    file << "Testeur";
  }
  const std::unique_ptr<Editor> editor = browserEditor(false);
  editor->levelList = {"plein.lvbk"};
  for (auto _ : run) {
    editor->browserPreview.nameIndex = -1; // as when the pointer comes from another row
    refreshBrowserPreview(editor->browserPreview, *editor, readFileBytes, directory.string() + "/");
    benchmark::DoNotOptimize(editor->browserPreview.bricks);
  }
  if (editor->browserPreview.brickCount != BrickSlots)
    run.SkipWithError("the full level did not read back");
  std::filesystem::remove_all(directory);
}
BENCHMARK(BM_PreviewReadFullLevel)->Unit(benchmark::kMicrosecond)->UseRealTime();

} // namespace
