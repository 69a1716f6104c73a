// Whole frames at their heaviest, drawn headless, against the 26 ms between two frames.
// pct_of_26ms is the time of one frame as a percentage of that interval.
//
// build/bench/benchmarks --benchmark_filter=Frame --benchmark_repetitions=5
//   --benchmark_report_aggregates_only=true

#include "editor/screen_layout.h"
#include "render/frame.h"
#include "render/sprite_sheet.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <string>

namespace {

constexpr double FrameIntervalSeconds = 0.026;

// The surfaces and font as the editor creates them, on the dummy video driver.
struct Headless {
  RenderResources resources{};
  bool ready = false;

  Headless() {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    if (SDL_Init(SDL_INIT_VIDEO) != 0 || TTF_Init() != 0)
      return;
    SDL_Surface *screen = SDL_SetVideoMode(1024, 768, 0, SDL_HWSURFACE | SDL_DOUBLEBUF);
    if (screen == nullptr)
      return;
    const SDL_PixelFormat *format = screen->format;
    resources.screen = screen;
    resources.backSurface =
        SDL_CreateRGBSurface(SDL_HWSURFACE, 1024, 768, format->BitsPerPixel, format->Rmask,
                             format->Gmask, format->Bmask, format->Amask);
    resources.sheet = SDL_LoadBMP_RW(SDL_RWFromFile(RUN_DIR "/bmp/objets.bmp", "rb"), 1);
    resources.font = TTF_OpenFont(RUN_DIR "/comic.ttf", 16);
    ready =
        resources.backSurface != nullptr && resources.sheet != nullptr && resources.font != nullptr;
  }
};

Headless &headless() {
  static Headless instance;
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

// Runs one frame per iteration and adds its wall-clock share of the frame interval.
template <typename Frame> void timeFrames(benchmark::State &run, Frame frame) {
  std::chrono::duration<double> spent{0};
  for (auto _ : run) {
    const auto start = std::chrono::steady_clock::now();
    frame();
    spent += std::chrono::steady_clock::now() - start;
  }
  if (run.iterations() > 0)
    run.counters["pct_of_26ms"] =
        100.0 * spent.count() / static_cast<double>(run.iterations()) / FrameIntervalSeconds;
}

void runFrames(benchmark::State &run, const Editor &editor) {
  Headless &sdl = headless();
  if (!sdl.ready) {
    run.SkipWithError("no headless display, sheet or font");
    return;
  }
  timeFrames(run, [&] { drawFrame(sdl.resources, editor); });
}

void BM_FrameEditingHeaviest(benchmark::State &run) {
  Editor editor;
  makeHeaviest(editor);
  runFrames(run, editor);
}
BENCHMARK(BM_FrameEditingHeaviest)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same picture dimmed under the browser with ten names.
void BM_FrameBrowserHeaviest(benchmark::State &run) {
  Editor editor;
  makeHeaviest(editor);
  editor.state.mode = BrowsingLevels;
  for (int index = 0; index < 10; ++index)
    editor.levelList.push_back("niveau_" + std::to_string(index) + "_du_chateau.lvbk");
  runFrames(run, editor);
}
BENCHMARK(BM_FrameBrowserHeaviest)->Unit(benchmark::kMillisecond)->UseRealTime();

// The floor: one full-screen fill, the least any frame does.
void BM_FrameFloorFill(benchmark::State &run) {
  Headless &sdl = headless();
  if (!sdl.ready) {
    run.SkipWithError("no headless display");
    return;
  }
  timeFrames(run, [&] { SDL_FillRect(sdl.resources.screen, nullptr, 0); });
}
BENCHMARK(BM_FrameFloorFill)->Unit(benchmark::kMillisecond)->UseRealTime();

// What presenting alone costs: the flip every frame ends with.
void BM_FrameFloorFlip(benchmark::State &run) {
  Headless &sdl = headless();
  if (!sdl.ready) {
    run.SkipWithError("no headless display");
    return;
  }
  timeFrames(run, [&] { SDL_Flip(sdl.resources.screen); });
}
BENCHMARK(BM_FrameFloorFlip)->Unit(benchmark::kMillisecond)->UseRealTime();

// The 396 translucent preview bricks alone: the part that decides the sheet's format. From a
// 32-bit XRGB sheet the library mixes at 128 on its fast path; from a 24-bit one it mixes
// pixel by pixel and this part alone took about ten times as long.
void BM_FramePartPreviewBricks(benchmark::State &run) {
  Headless &sdl = headless();
  if (!sdl.ready) {
    run.SkipWithError("no headless display, sheet or font");
    return;
  }
  SDL_Surface *screen = sdl.resources.screen;
  SDL_Surface *sheet = sdl.resources.sheet;
  timeFrames(run, [&] {
    setSheetAlpha(sheet, true);
    for (int slot = 0; slot < BrickSlots; ++slot)
      drawBrickSprite(screen, sheet, 7, LevelLeft + BrickWidth * (slot % GridColumns),
                      LevelTop + BrickHeight * (slot / GridColumns));
  });
}
BENCHMARK(BM_FramePartPreviewBricks)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
