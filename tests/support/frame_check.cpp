#include "frame_check.h"

#include "render/frame.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>

namespace {

struct Pixel {
  int r, g, b;
};
using Picture = std::function<Pixel(int dx, int dy)>;

Pixel pixelAt(SDL_Surface *surface, int x, int y) {
  Uint32 value = 0;
  const int bytes = surface->format->BytesPerPixel;
  std::memcpy(&value, static_cast<const Uint8 *>(surface->pixels) + y * surface->pitch + x * bytes,
              bytes);
  Uint8 r, g, b;
  SDL_GetRGB(value, surface->format, &r, &g, &b);
  return {r, g, b};
}

Pixel colourNamed(const std::string &name) {
  Pixel p{0, 0, 0};
  if (name == "grey" || name == "white" || name == "red")
    p = name == "grey" ? Pixel{128, 128, 128}
                       : Pixel{255, name == "red" ? 0 : 255, name == "red" ? 0 : 255};
  else if (name != "black")
    std::sscanf(name.c_str(), "%d,%d,%d", &p.r, &p.g, &p.b);
  return p;
}

// The picture named by the words from i on; moves i past them.
Picture pictureAt(const std::vector<std::string> &w, std::size_t &i, SDL_Surface *sheet) {
  const std::string &name = w[i++];
  if (name != "brick" && name != "digit") {
    const Pixel colour = colourNamed(name);
    return [colour](int, int) { return colour; };
  }
  const int n = std::atoi(w[i++].c_str());
  // Digits in one strip; bricks eight a row from y 90, but type 24 apart.
  const int x = name == "digit" ? 16 * n : n == 24 ? 80 : 40 * ((n - 1) % 8);
  const int y = name == "digit" ? 40 : n == 24 ? 150 : 90 + 20 * ((n - 1) / 8);
  return [=](int dx, int dy) { return pixelAt(sheet, x + dx, y + dy); };
}

} // namespace

bool isPixelStep(const SessionLine &line) {
  return line.words[0] == "expect" && line.words.size() > 1 &&
         (line.words[1] == "box" || line.words[1] == "ink" || line.words[1] == "text");
}

void drawAtRest(const RenderResources &resources, const Editor &editor) {
  Editor shown = editor;
  shown.pointerX = editor.mouseX;
  shown.pointerY = editor.mouseY;
  drawFrame(resources, shown);
}

std::string checkPixels(const SessionLine &line, const RenderResources &resources) {
  const std::vector<std::string> &w = line.words;
  const int x = std::atoi(w[2].c_str()), y = std::atoi(w[3].c_str());
  int width = 0, height = 0, tolerance = 0;
  Picture expected;
  if (w[1] == "text") {
    SDL_Surface *mask =
        TTF_RenderText_Solid(resources.font, w[6].c_str(), SDL_Color{255, 255, 255, 0});
    if (mask == nullptr)
      return "the text renders to nothing";
    width = mask->w;
    height = mask->h;
    std::vector<bool> ink;
    for (int dy = 0; dy < height; ++dy)
      for (int dx = 0; dx < width; ++dx)
        ink.push_back(static_cast<const Uint8 *>(mask->pixels)[dy * mask->pitch + dx] != 0);
    SDL_FreeSurface(mask);
    const Pixel colour = colourNamed(w[4]), background = colourNamed(w[5]);
    expected = [=](int dx, int dy) { return ink[dy * width + dx] ? colour : background; };
  } else {
    width = std::atoi(w[4].c_str());
    height = std::atoi(w[5].c_str());
    std::size_t i = 6;
    expected = pictureAt(w, i, resources.sheet);
    if (i + 1 < w.size() && w[i] == "half") {
      const Picture under = pictureAt(w, ++i, resources.sheet), top = expected;
      tolerance = 1;
      expected = [=](int dx, int dy) {
        const Pixel a = top(dx, dy), b = under(dx, dy);
        return Pixel{(a.r + b.r) / 2, (a.g + b.g) / 2, (a.b + b.b) / 2};
      };
    }
  }
  int inked = 0;
  for (int dy = 0; dy < height; ++dy)
    for (int dx = 0; dx < width; ++dx) {
      const Pixel shown = pixelAt(resources.screen, x + dx, y + dy), want = expected(dx, dy);
      const bool same = std::abs(shown.r - want.r) <= tolerance &&
                        std::abs(shown.g - want.g) <= tolerance &&
                        std::abs(shown.b - want.b) <= tolerance;
      inked += same;
      if (!same && w[1] != "ink")
        return "at (" + std::to_string(x + dx) + ", " + std::to_string(y + dy) +
               ") the frame shows " + std::to_string(shown.r) + "," + std::to_string(shown.g) +
               "," + std::to_string(shown.b) + ", not " + std::to_string(want.r) + "," +
               std::to_string(want.g) + "," + std::to_string(want.b);
    }
  if (w[1] == "ink" && (inked > 0) == (w.size() > 7 && w[7] == "none"))
    return std::to_string(inked) + " pixels of " + w[6] + " in the box";
  return "";
}
