#pragma once
// Headless drawing for the rendering tests: the dummy video driver, the built sheet and font,
// and pixel reads from any surface.

#include "render/frame.h"

#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_ttf.h>
#include <cstdlib>
#include <cstring>
#include <string>

struct Pixel {
  int r;
  int g;
  int b;
  bool operator==(const Pixel &other) const { return r == other.r && g == other.g && b == other.b; }
  bool operator!=(const Pixel &other) const { return !(*this == other); }
  bool operator<(const Pixel &other) const {
    return r != other.r ? r < other.r : g != other.g ? g < other.g : b < other.b;
  }
};

inline std::ostream &operator<<(std::ostream &out, const Pixel &pixel) {
  return out << "(" << pixel.r << ", " << pixel.g << ", " << pixel.b << ")";
}

constexpr Pixel BlackPixel{0, 0, 0};
constexpr Pixel GreyPixel{128, 128, 128};
constexpr Pixel RedPixel{255, 0, 0};
constexpr Pixel WhitePixel{255, 255, 255};

inline Pixel pixelAt(SDL_Surface *surface, int x, int y) {
  SDL_LockSurface(surface);
  const int bytes = surface->format->BytesPerPixel;
  const Uint8 *at = static_cast<const Uint8 *>(surface->pixels) + y * surface->pitch + x * bytes;
  Uint32 value = 0;
  std::memcpy(&value, at, bytes); // little-endian machine
  SDL_UnlockSurface(surface);
  Uint8 r, g, b;
  SDL_GetRGB(value, surface->format, &r, &g, &b);
  return Pixel{r, g, b};
}

// Within one step on each channel: the library's half-and-half mixing rounds either way.
inline bool near(const Pixel &actual, const Pixel &expected) {
  return std::abs(actual.r - expected.r) <= 1 && std::abs(actual.g - expected.g) <= 1 &&
         std::abs(actual.b - expected.b) <= 1;
}

inline Pixel halfOver(const Pixel &sprite, const Pixel &under) {
  return Pixel{(sprite.r + under.r) / 2, (sprite.g + under.g) / 2, (sprite.b + under.b) / 2};
}

inline Pixel halved(const Pixel &pixel) {
  return Pixel{pixel.r / 2, pixel.g / 2, pixel.b / 2};
}

// A dummy-driver screen with the surfaces and font the editor creates at start-up.
class HeadlessRender : public ::testing::Test {
protected:
  void SetUp() override {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
    ASSERT_EQ(TTF_Init(), 0) << TTF_GetError();
    screen = SDL_SetVideoMode(1024, 768, 0, SDL_HWSURFACE | SDL_DOUBLEBUF);
    ASSERT_NE(screen, nullptr) << SDL_GetError();
    const SDL_PixelFormat *format = screen->format;
    backSurface = SDL_CreateRGBSurface(SDL_HWSURFACE, 1024, 768, format->BitsPerPixel,
                                       format->Rmask, format->Gmask, format->Bmask, format->Amask);
    ASSERT_NE(backSurface, nullptr) << SDL_GetError();
    sheet = SDL_LoadBMP_RW(SDL_RWFromFile(RUN_DIR "/bmp/objets.bmp", "rb"), 1);
    ASSERT_NE(sheet, nullptr) << SDL_GetError();
    font = TTF_OpenFont(RUN_DIR "/comic.ttf", 16);
    ASSERT_NE(font, nullptr) << TTF_GetError();
  }

  void TearDown() override {
    if (font != nullptr)
      TTF_CloseFont(font);
    if (sheet != nullptr)
      SDL_FreeSurface(sheet);
    if (backSurface != nullptr)
      SDL_FreeSurface(backSurface);
    TTF_Quit();
    SDL_Quit();
  }

  RenderResources resources() const { return RenderResources{screen, backSurface, sheet, font}; }
  Pixel at(int x, int y) const { return pixelAt(screen, x, y); }
  Pixel sheetAt(int x, int y) const { return pixelAt(sheet, x, y); }

  // Fails at the first pixel of the w by h box at (x, y) that does not match the sheet box at
  // (sx, sy) under the given relation.
  template <typename Relation>
  ::testing::AssertionResult boxMatchesSheet(int x, int y, SDL_Rect source,
                                             Relation relation) const {
    for (int dy = 0; dy < source.h; ++dy)
      for (int dx = 0; dx < source.w; ++dx) {
        const Pixel shown = at(x + dx, y + dy);
        const Pixel sprite = sheetAt(source.x + dx, source.y + dy);
        if (!relation(shown, sprite))
          return ::testing::AssertionFailure() << "at (" << x + dx << ", " << y + dy << ") screen "
                                               << shown << " sprite " << sprite;
      }
    return ::testing::AssertionSuccess();
  }

  ::testing::AssertionResult boxIs(int x, int y, int w, int h, Pixel colour) const {
    for (int dy = 0; dy < h; ++dy)
      for (int dx = 0; dx < w; ++dx)
        if (at(x + dx, y + dy) != colour)
          return ::testing::AssertionFailure() << "at (" << x + dx << ", " << y + dy << ") "
                                               << at(x + dx, y + dy) << " not " << colour;
    return ::testing::AssertionSuccess();
  }

  int countColour(int x, int y, int w, int h, Pixel colour) const {
    int count = 0;
    for (int dy = 0; dy < h; ++dy)
      for (int dx = 0; dx < w; ++dx)
        count += at(x + dx, y + dy) == colour;
    return count;
  }

  // Compares a text drawn at (x, y) with the text rendered solid on its own: every pixel the
  // glyphs cover shows the colour, every other pixel of its box the background.
  ::testing::AssertionResult textMatches(const std::string &text, int x, int y, Pixel colour,
                                         Pixel background) const {
    SDL_Surface *mask = TTF_RenderText_Solid(font, text.c_str(), SDL_Color{255, 255, 255, 0});
    if (mask == nullptr)
      return ::testing::AssertionFailure() << "the text renders to nothing";
    ::testing::AssertionResult result = ::testing::AssertionSuccess();
    SDL_LockSurface(mask);
    for (int dy = 0; dy < mask->h && result; ++dy)
      for (int dx = 0; dx < mask->w && result; ++dx) {
        const bool ink = static_cast<const Uint8 *>(mask->pixels)[dy * mask->pitch + dx] != 0;
        const Pixel shown = at(x + dx, y + dy);
        if (shown != (ink ? colour : background))
          result = ::testing::AssertionFailure()
                   << "at (" << x + dx << ", " << y + dy << ") " << shown << (ink ? " ink" : "");
      }
    SDL_UnlockSurface(mask);
    SDL_FreeSurface(mask);
    return result;
  }

  SDL_Surface *screen = nullptr;
  SDL_Surface *backSurface = nullptr;
  SDL_Surface *sheet = nullptr;
  TTF_Font *font = nullptr;
};

inline bool same(const Pixel &shown, const Pixel &sprite) {
  return shown == sprite;
}
inline bool halfOverBlack(const Pixel &shown, const Pixel &sprite) {
  return near(shown, halved(sprite));
}
inline bool halfOverGrey(const Pixel &shown, const Pixel &sprite) {
  return near(shown, halfOver(sprite, GreyPixel));
}
