#include "render/render_resources.h"

#include "editor/screen_layout.h"
#include "render/brick_miniatures.h"
#include "render/fast_blit_sheet.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int FontSize = 16;

// Start-up messages go to standard output; flushed at once so that a failed start is seen
// even when the output is a file.
bool fail(const char *format, const char *detail) {
  std::printf(format, detail);
  std::fflush(stdout);
  return false;
}

} // namespace

RenderSetup::RenderSetup(const ResourcePaths &paths) {
  // Without a GPU the library's default present path goes through software OpenGL, ten times
  // dearer per frame than its plain framebuffer path, with the same pixels. A user's own
  // choice of either setting wins.
  setenv("SDL_RENDER_DRIVER", "software", 0);
  setenv("SDL_FRAMEBUFFER_ACCELERATION", "0", 0);
  ok_ = open(paths);
}

bool RenderSetup::open(const ResourcePaths &paths) {
  if (SDL_Init(SDL_INIT_VIDEO) < 0)
    return fail("Unable to init SDL: %s\n", SDL_GetError());
  sdlStarted_ = true;
  // Every exit from here on shuts the library down, the screen with it.
  std::atexit(SDL_Quit);
  // With no display the library falls back to drawing off screen, where the editor would run
  // unseen for ever: only a driver asked for by name may do that.
  char driver[16] = "";
  SDL_VideoDriverName(driver, sizeof driver);
  if (std::getenv("SDL_VIDEODRIVER") == nullptr && std::strcmp(driver, "offscreen") == 0)
    return fail("Unable to set 1024*768 video: %s\n", "no display");

  SDL_Surface *screen =
      SDL_SetVideoMode(ScreenWidth, ScreenHeight, 0, SDL_HWSURFACE | SDL_DOUBLEBUF);
  if (!screen)
    return fail("Unable to set 1024*768 video: %s\n", SDL_GetError());
  resources_.screen = screen;
  // Used to dim the screen behind dialogs; the frame does without it when it is missing.
  const SDL_PixelFormat *format = screen->format;
  resources_.backSurface =
      SDL_CreateRGBSurface(SDL_HWSURFACE, screen->w, screen->h, format->BitsPerPixel, format->Rmask,
                           format->Gmask, format->Bmask, format->Amask);

  if (paths.font != nullptr) {
    // Without text there is no usable editor: every label and dialog needs the font.
    if (TTF_Init() == -1)
      return fail("Unable to init SDL_ttf: %s\n", TTF_GetError());
    ttfStarted_ = true;
    resources_.font = TTF_OpenFont(paths.font, FontSize);
    if (!resources_.font)
      return fail("Unable to load font: %s\n", TTF_GetError());
  }

  // The load closes the stream, also when it fails.
  resources_.sheet = SDL_LoadBMP_RW(SDL_RWFromFile(paths.sheet, "rb"), 1);
  if (!resources_.sheet)
    return fail("Unable to load bitmap: %s\n", SDL_GetError());
  // The same pixels in rows the library copies without bypassing the cache.
  if (SDL_Surface *fast = copyWithUnalignedRows(resources_.sheet)) {
    SDL_FreeSurface(resources_.sheet);
    resources_.sheet = fast;
  }
  // Made once here from the sheet, so that previewing a level scales nothing per frame.
  resources_.miniatures = makeBrickMiniatures(resources_.sheet, screen->format);
  return true;
}

RenderSetup::~RenderSetup() {
  if (resources_.font)
    TTF_CloseFont(resources_.font);
  if (ttfStarted_)
    TTF_Quit();
  SDL_FreeSurface(resources_.miniatures);
  SDL_FreeSurface(resources_.sheet);
  SDL_FreeSurface(resources_.backSurface);
  if (sdlStarted_)
    SDL_Quit();
}
