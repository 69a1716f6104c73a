#pragma once
// Headless drawing for the tests that read frames back: the dummy video driver, the built sheet and
// font, and pixel reads from any surface.

#include "render/frame.h"

#include <gtest/gtest.h>

#include <SDL.h>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

struct Pixel {
  int r, g, b;
  bool operator==(const Pixel &o) const { return r == o.r && g == o.g && b == o.b; }
};

inline std::ostream &operator<<(std::ostream &out, const Pixel &p) {
  return out << "(" << p.r << ", " << p.g << ", " << p.b << ")";
}

inline Pixel pixelAt(SDL_Surface *surface, int x, int y) {
  SDL_LockSurface(surface);
  const int bytes = surface->format->BytesPerPixel;
  Uint32 value = 0;
  std::memcpy(&value, static_cast<const Uint8 *>(surface->pixels) + y * surface->pitch + x * bytes,
              bytes); // little-endian machine
  SDL_UnlockSurface(surface);
  Uint8 r, g, b;
  SDL_GetRGB(value, surface->format, &r, &g, &b);
  return Pixel{r, g, b};
}

// A dummy-driver screen with the surfaces and font the editor creates at start-up.
class HeadlessRender : public ::testing::Test {
protected:
  void SetUp() override {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setup = std::make_unique<RenderSetup>(
        ResourcePaths{RUN_DIR "/comic.ttf", RUN_DIR "/bmp/objets.bmp"});
    ASSERT_TRUE(setup->ok());
  }

  Pixel at(int x, int y) const { return pixelAt(setup->resources().screen, x, y); }

  std::unique_ptr<RenderSetup> setup;
};
