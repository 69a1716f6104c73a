#pragma once
// The four things every frame is drawn with, and the one owner that opens and closes them for
// the editor, the frame tests, the benchmarks and the command line alike.

#include "level/geometry.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <array>
#include <cstdint>
#include <string>

// What a frame of a game showed of its moving parts.
struct PlayPicture {
  enum Look : uint8_t { Unseen, Whole, Damaged };
  // The game (Play::id), 0 for none.
  uint32_t play = 0;
  std::array<uint8_t, BrickSlots> looks{};
  Point ball{};
  bool ballShown = false;
  int32_t paddleX = 0;
  std::string help;
};

// What frames keep for the next. The editor does not change while a game runs: backSurface
// keeps it dimmed for the game backdropOfPlay. The screen keeps the last frame drawn, which
// showed the game as shown; a frame of the editor comes between two frames of a game only when
// a new game begins, with a new number.
struct FrameCache {
  uint32_t backdropOfPlay = 0;
  PlayPicture shown;
};

// The surfaces and font created at start-up and held by the event loop.
struct RenderResources {
  SDL_Surface *screen;
  SDL_Surface *backSurface; // may be missing: dialogs are then drawn without dimming
  SDL_Surface *sheet;
  TTF_Font *font; // missing only where no text is drawn (the command-line renderer)
  // The brick miniatures of the browser's preview, in the screen's format; without them the
  // preview shows its field and caption but no bricks.
  SDL_Surface *miniatures = nullptr;
  // Without one, every frame of a game draws the editor behind it again.
  FrameCache *cache = nullptr;
};

struct ResourcePaths {
  const char *font = "comic.ttf"; // nullptr: no text renderer, no font
  const char *sheet = "bmp/objets.bmp";
};

// Opens, in this order: the library (video), the 1024 by 768 double-buffered screen, the back
// surface of the screen's format, the text renderer and the font at 16 points, and the sprite
// sheet. On the first failure it prints one line naming it to standard output and stops; ok()
// is then false and what was opened is closed again by the destructor, in reverse order.
//
// The messages: "Unable to init SDL: %s\n", "Unable to set 1024*768 video: %s\n",
// "Unable to init SDL_ttf: %s\n", "Unable to load font: %s\n", "Unable to load bitmap: %s\n",
// each with the library's error text. A missing back surface or set of miniatures is not a
// failure.
//
// Unless the environment already says otherwise, it picks the library's software present path
// (SDL_RENDER_DRIVER=software, SDL_FRAMEBUFFER_ACCELERATION=0), and it keeps the sheet in a
// copy that blits fast (copyWithUnalignedRows).
class RenderSetup {
public:
  explicit RenderSetup(const ResourcePaths &paths = {});
  ~RenderSetup();
  RenderSetup(const RenderSetup &) = delete;
  RenderSetup &operator=(const RenderSetup &) = delete;

  bool ok() const { return ok_; }
  const RenderResources &resources() const { return resources_; }

private:
  bool open(const ResourcePaths &paths);

  FrameCache cache_;
  RenderResources resources_{nullptr, nullptr, nullptr, nullptr, nullptr, &cache_};
  bool sdlStarted_ = false;
  bool ttfStarted_ = false;
  bool ok_ = false;
};
