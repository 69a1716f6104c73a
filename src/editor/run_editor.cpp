#include "editor/run_editor.h"

#include "editor/editor.h"
#include "editor/event_loop.h"
#include "render/frame.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

constexpr int FontSize = 16;

// Start-up messages go to standard output; flushed at once so that a failed start is seen
// even when the output is a file.
void report(const char *format, const char *detail) {
  std::printf(format, detail);
  std::fflush(stdout);
}

} // namespace

int runEditor() {
  if (SDL_Init(SDL_INIT_VIDEO) < 0) {
    report("Unable to init SDL: %s\n", SDL_GetError());
    return 1;
  }
  // Every return from here on shuts the library down, the screen with it.
  std::atexit(SDL_Quit);

  SDL_Surface *screen = SDL_SetVideoMode(1024, 768, 0, SDL_HWSURFACE | SDL_DOUBLEBUF);
  if (!screen) {
    report("Unable to set 1024*768 video: %s\n", SDL_GetError());
    return 1;
  }
  // Used to dim the screen behind dialogs; the frame does without it when it is missing.
  const SDL_PixelFormat *format = screen->format;
  SDL_Surface *backSurface =
      SDL_CreateRGBSurface(SDL_HWSURFACE, 1024, 768, format->BitsPerPixel, format->Rmask,
                           format->Gmask, format->Bmask, format->Amask);

  // Without text there is no usable editor: every label and dialog needs the font.
  if (TTF_Init() == -1) {
    report("Unable to init SDL_ttf: %s\n", TTF_GetError());
    SDL_FreeSurface(backSurface);
    return 1;
  }
  TTF_Font *font = TTF_OpenFont("comic.ttf", FontSize);
  if (!font) {
    report("Unable to load font: %s\n", TTF_GetError());
    TTF_Quit();
    SDL_FreeSurface(backSurface);
    return 1;
  }

  // The load closes the stream, also when it fails.
  SDL_Surface *sheet = SDL_LoadBMP_RW(SDL_RWFromFile("bmp/objets.bmp", "rb"), 1);
  if (!sheet) {
    report("Unable to load bitmap: %s\n", SDL_GetError());
    TTF_CloseFont(font);
    TTF_Quit();
    SDL_FreeSurface(backSurface);
    return 1;
  }

  const uint32_t startTicks = SDL_GetTicks();
  // Built only now: its name fields switch key translation on, which needs the library up.
  auto editor = std::make_unique<Editor>();

  runEventLoop(RenderResources{screen, backSurface, sheet, font}, *editor, startTicks);

  TTF_CloseFont(font);
  TTF_Quit();
  SDL_FreeSurface(sheet);
  SDL_FreeSurface(backSurface);
  SDL_Quit();
  // The fields free their images and switch key translation off last.
  editor.reset();
  return 0;
}
