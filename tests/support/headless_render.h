#pragma once
// Headless drawing for the tests that read frames back: the dummy video driver, the built sheet and
// font, and pixel reads from any surface.

#include "render/frame.h"
#include "render/render_resources.h"

#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_ttf.h>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

struct Pixel {
  int r, g, b;
  bool operator==(const Pixel &o) const { return r == o.r && g == o.g && b == o.b; }
  bool operator!=(const Pixel &o) const { return !(*this == o); }
  bool operator<(const Pixel &o) const { return std::tie(r, g, b) < std::tie(o.r, o.g, o.b); }
};

inline std::ostream &operator<<(std::ostream &out, const Pixel &p) {
  return out << "(" << p.r << ", " << p.g << ", " << p.b << ")";
}

constexpr Pixel BlackPixel{0, 0, 0};
constexpr Pixel GreyPixel{128, 128, 128};
constexpr Pixel RedPixel{255, 0, 0};
constexpr Pixel WhitePixel{255, 255, 255};

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

inline bool near(const Pixel &a, const Pixel &b) {
  return std::abs(a.r - b.r) <= 1 && std::abs(a.g - b.g) <= 1 && std::abs(a.b - b.b) <= 1;
}

// A dummy-driver screen with the surfaces and font the editor creates at start-up.
class HeadlessRender : public ::testing::Test {
protected:
  void SetUp() override {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setup = std::make_unique<RenderSetup>(
        ResourcePaths{RUN_DIR "/comic.ttf", RUN_DIR "/bmp/objets.bmp"});
    ASSERT_TRUE(setup->ok());
    const RenderResources &opened = setup->resources();
    screen = opened.screen;
    backSurface = opened.backSurface;
    sheet = opened.sheet;
    font = opened.font;
    ASSERT_NE(backSurface, nullptr);
  }

  void TearDown() override { setup.reset(); }

  RenderResources resources() const { return RenderResources{screen, backSurface, sheet, font}; }
  Pixel at(int x, int y) const { return pixelAt(screen, x, y); }
  Pixel sheetAt(int x, int y) const { return pixelAt(sheet, x, y); }

  int countColour(int x, int y, int w, int h, Pixel colour) const {
    int count = 0;
    for (int dy = 0; dy < h; ++dy)
      for (int dx = 0; dx < w; ++dx)
        count += at(x + dx, y + dy) == colour;
    return count;
  }

  // Every pixel the glyphs of the text rendered solid on its own cover shows the colour, every
  // other pixel of its box the background.
  ::testing::AssertionResult textMatches(const std::string &text, int x, int y, Pixel colour,
                                         Pixel background) const {
    SDL_Surface *mask = TTF_RenderText_Solid(font, text.c_str(), SDL_Color{255, 255, 255, 0});
    if (mask == nullptr)
      return ::testing::AssertionFailure() << "the text renders to nothing";
    ::testing::AssertionResult result = ::testing::AssertionSuccess();
    for (int dy = 0; dy < mask->h && result; ++dy)
      for (int dx = 0; dx < mask->w && result; ++dx) {
        const bool ink = static_cast<const Uint8 *>(mask->pixels)[dy * mask->pitch + dx] != 0;
        if (at(x + dx, y + dy) != (ink ? colour : background))
          result = ::testing::AssertionFailure() << "at (" << x + dx << ", " << y + dy << ") "
                                                 << at(x + dx, y + dy) << (ink ? " ink" : "");
      }
    SDL_FreeSurface(mask);
    return result;
  }

  SDL_Surface *screen = nullptr;
  SDL_Surface *backSurface = nullptr;
  SDL_Surface *sheet = nullptr;
  TTF_Font *font = nullptr;
  std::unique_ptr<RenderSetup> setup;
};
