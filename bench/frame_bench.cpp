// Whole frames at their heaviest against the 26 ms between two frames (16 ms for a game's).
// After each timed frame the benchmark also times what a bare program pays to present one full
// frame (a fill and a flip) through the same path, so that both meet the same load on a shared
// machine:
//   pct_of_26ms     the median frame as a percentage of the 26 ms interval (pct_of_16ms);
//   x_bare_present  the median frame as a multiple of the median bare present;
//   cpu_...         the same by the CPU time the process used, which other work on a busy
//                   machine does not inflate.
// The Time column is the mean frame alone, by the wall clock.
//
// Headless, on the dummy driver, whose flip is nearly free (the default without DISPLAY):
//   SDL_VIDEODRIVER=dummy build/bench/benchmarks --benchmark_filter=Frame
// Through a real X display and the software present path the editor chooses, flip included
// (DISPLAY set and SDL_VIDEODRIVER not dummy; bench/real_display.sh runs both under Xvfb):
//   DISPLAY=:N build/bench/benchmarks --benchmark_filter=Frame

#include "editor/control/frame_pacing.h"
#include "editor/control/play_input.h"
#include "editor/screen_layout.h"
#include "render/frame.h"
#include "render/render_resources.h"
#include "render/sprite_sheet.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr double FrameIntervalSeconds = 0.026;

using Clock = std::chrono::steady_clock;

bool realDisplayWanted() {
  const char *display = std::getenv("DISPLAY");
  const char *driver = std::getenv("SDL_VIDEODRIVER");
  return display != nullptr && *display != '\0' &&
         (driver == nullptr || std::strcmp(driver, "dummy") != 0);
}

// The surfaces and font as the editor opens them, on the dummy driver or a real display.
struct Display {
  std::unique_ptr<RenderSetup> setup;
  RenderResources resources{};
  // The sheet as loaded, beside the fast copy the editor draws from, for the part benchmark.
  SDL_Surface *loadedSheet = nullptr;
  std::string label;
  bool ready = false;

  Display() {
    if (!realDisplayWanted())
      setenv("SDL_VIDEODRIVER", "dummy", 1);
    setup = std::make_unique<RenderSetup>(
        ResourcePaths{RUN_DIR "/comic.ttf", RUN_DIR "/bmp/objets.bmp"});
    if (!setup->ok())
      return;
    resources = setup->resources();
    loadedSheet = SDL_LoadBMP(RUN_DIR "/bmp/objets.bmp");
    ready = resources.backSurface != nullptr && loadedSheet != nullptr;
    char driver[32] = "?";
    SDL_VideoDriverName(driver, sizeof driver);
    const char *renderer = std::getenv("SDL_RENDER_DRIVER");
    label = std::string(driver) + (realDisplayWanted() && renderer != nullptr
                                       ? std::string(" render=") + renderer
                                       : std::string());
  }
};

Display &display() {
  static Display instance;
  return instance;
}

// Every slot in use, every pattern cell selected, and the pointer where the whole pattern
// fits: 396 opaque bricks, 396 marked cells and 396 translucent preview bricks.
void makeHeaviest(Editor &editor) {
  for (int slot = 0; slot < BrickSlots; ++slot)
    editor.bricks[slot] = Brick{LevelLeft + BrickWidth * (slot % GridColumns),
                                LevelTop + BrickHeight * (slot / GridColumns), 1 + slot % 24};
  editor.state.brickCount = BrickSlots;
  editor.selection.fill(1);
  updatePatternBox(editor.selection, editor.state);
  editor.currentBrickType = 7;
  editor.state.offsetX = -40;
  editor.state.offsetY = 20;
  editor.pointerX = LevelLeft;
  editor.pointerY = LevelTop;
  editor.helpText = "Cliquez pour placer le motif de briques, maintenez le bouton pour en "
                    "placer plusieurs.";
}

// The display, or nullptr with the benchmark skipped when it could not be set up.
Display *readyDisplay(benchmark::State &run) {
  Display &sdl = display();
  if (!sdl.ready) {
    run.SkipWithError("no display, sheet or font");
    return nullptr;
  }
  run.SetLabel(sdl.label);
  return &sdl;
}

double median(std::vector<double> &values) {
  std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
  return values[values.size() / 2];
}

// Seconds of CPU this process has used. Unlike the wall clock it does not count the time other
// programs on a busy machine take, nor the X server's share of a flip.
double processCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

struct Samples {
  std::vector<double> wall;
  std::vector<double> cpu;
};

// Runs one frame per iteration, each followed by a bare present, and reports both by the wall
// clock and, as cpu_pct_of_26ms and cpu_x_bare_present, by the CPU used.
template <typename Frame>
void timeFrames(benchmark::State &run, const Display &sdl, Frame frame,
                double interval = FrameIntervalSeconds) {
  Samples frames;
  Samples barePresents;
  for (auto _ : run) {
    const auto start = Clock::now();
    const double startCpu = processCpuSeconds();
    frame();
    const auto drawn = Clock::now();
    const double drawnCpu = processCpuSeconds();
    SDL_FillRect(sdl.resources.screen, nullptr, 0);
    SDL_Flip(sdl.resources.screen);
    const auto presented = Clock::now();
    const double presentedCpu = processCpuSeconds();
    frames.wall.push_back(std::chrono::duration<double>(drawn - start).count());
    frames.cpu.push_back(drawnCpu - startCpu);
    barePresents.wall.push_back(std::chrono::duration<double>(presented - drawn).count());
    barePresents.cpu.push_back(presentedCpu - drawnCpu);
    run.SetIterationTime(frames.wall.back());
  }
  if (frames.wall.empty())
    return;
  const double frameSeconds = median(frames.wall);
  const std::string pct = "pct_of_" + std::to_string(std::lround(interval * 1000)) + "ms";
  run.counters[pct] = 100.0 * frameSeconds / interval;
  run.counters["x_bare_present"] = frameSeconds / median(barePresents.wall);
  const double frameCpu = median(frames.cpu);
  run.counters["cpu_" + pct] = 100.0 * frameCpu / interval;
  run.counters["cpu_x_bare_present"] = frameCpu / median(barePresents.cpu);
}

void runFrames(benchmark::State &run, const Editor &editor) {
  if (Display *sdl = readyDisplay(run))
    timeFrames(run, *sdl, [&] { drawFrame(sdl->resources, editor); });
}

void BM_FrameEditingHeaviest(benchmark::State &run) {
  Editor editor;
  makeHeaviest(editor);
  runFrames(run, editor);
}
BENCHMARK(BM_FrameEditingHeaviest)->Unit(benchmark::kMillisecond)->UseManualTime();

// The same picture dimmed under the browser with ten names.
void BM_FrameBrowserHeaviest(benchmark::State &run) {
  Editor editor;
  makeHeaviest(editor);
  editor.state.mode = BrowsingLevels;
  for (int index = 0; index < 10; ++index)
    editor.levelList.push_back("niveau_" + std::to_string(index) + "_du_chateau.lvbk");
  runFrames(run, editor);
}
BENCHMARK(BM_FrameBrowserHeaviest)->Unit(benchmark::kMillisecond)->UseManualTime();

// A game on the heaviest level under the autopilot, its ball moving: a frame of play every
// 16 ms, each after the ticks since the last.
void BM_FramePlayingHeaviest(benchmark::State &run) {
  Editor editor;
  makeHeaviest(editor);
  startPlay(editor);
  editor.play->autopilot = true;
  uint32_t clock = 0;
  if (Display *sdl = readyDisplay(run))
    timeFrames(
        run, *sdl,
        [&] {
          advancePlay(editor, clock += PlayingFrameMs);
          drawFrame(sdl->resources, editor);
        },
        PlayingFrameMs / 1000.0);
}
BENCHMARK(BM_FramePlayingHeaviest)->Unit(benchmark::kMillisecond)->UseManualTime();

// The floor: one full-screen fill, the least any frame does.
void BM_FrameFloorFill(benchmark::State &run) {
  if (Display *sdl = readyDisplay(run))
    timeFrames(run, *sdl, [&] { SDL_FillRect(sdl->resources.screen, nullptr, 0); });
}
BENCHMARK(BM_FrameFloorFill)->Unit(benchmark::kMillisecond)->UseManualTime();

// What presenting alone costs: the flip every frame ends with.
void BM_FrameFloorFlip(benchmark::State &run) {
  if (Display *sdl = readyDisplay(run))
    timeFrames(run, *sdl, [&] { SDL_Flip(sdl->resources.screen); });
}
BENCHMARK(BM_FrameFloorFlip)->Unit(benchmark::kMillisecond)->UseManualTime();

void drawLevelOfBricks(SDL_Surface *screen, SDL_Surface *sheet, int32_t type) {
  for (int slot = 0; slot < BrickSlots; ++slot)
    drawBrickSprite(screen, sheet, type, LevelLeft + BrickWidth * (slot % GridColumns),
                    LevelTop + BrickHeight * (slot / GridColumns));
}

// The 396 translucent preview bricks alone: the part that decides the sheet's format. From a
// 32-bit XRGB sheet the library mixes at 128 on its fast path; from a 24-bit one it mixes
// pixel by pixel and this part alone took about ten times as long.
void BM_FramePartPreviewBricks(benchmark::State &run) {
  if (Display *sdl = readyDisplay(run)) {
    SDL_Surface *sheet = sdl->resources.sheet;
    timeFrames(run, *sdl, [&] {
      setSheetAlpha(sheet, true);
      drawLevelOfBricks(sdl->resources.screen, sheet, 7);
    });
  }
}
BENCHMARK(BM_FramePartPreviewBricks)->Unit(benchmark::kMillisecond)->UseManualTime();

// The 396 opaque bricks alone, from the sheet as loaded (0) and from its copy with unaligned
// rows (1): rows of a multiple of 16 bytes on both sides send the copy through stores that
// bypass the cache.
void BM_FramePartOpaqueBricks(benchmark::State &run) {
  if (Display *sdl = readyDisplay(run)) {
    SDL_Surface *sheet = run.range(0) == 0 ? sdl->loadedSheet : sdl->resources.sheet;
    timeFrames(run, *sdl, [&] {
      setSheetAlpha(sheet, false);
      drawLevelOfBricks(sdl->resources.screen, sheet, 1);
    });
    run.counters["sheet_pitch"] = sheet->pitch;
  }
}
BENCHMARK(BM_FramePartOpaqueBricks)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseManualTime();

} // namespace
