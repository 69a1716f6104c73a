#include "frame_check.h"

#include "render/colours.h"
#include "render/frame.h"
#include "storage/level_preview.h"

#include <cstdio>
#include <cstdlib>
#include <functional>

namespace {

// Colours as 0xRRGGBB; the screen and the sheet are both 32 bits a pixel in that order.
using Picture = std::function<uint32_t(int dx, int dy)>;

// The picture named by the words from i on; moves i past them.
Picture pictureAt(const std::vector<std::string> &w, std::size_t &i, const SDL_Surface *sheet) {
  const std::string &name = w[i++];
  if (name != "brick" && name != "digit" && name != "miniature") {
    const uint32_t colour = name == "black"   ? 0
                            : name == "grey"  ? 0x808080
                            : name == "red"   ? 0xff0000
                            : name == "white" ? 0xffffff
                                              : std::stoul(name, nullptr, 16);
    return [colour](int, int) { return colour; };
  }
  const int n = std::atoi(w[i++].c_str());
  // Digits in one strip; bricks eight a row from y 90, but type 24 apart.
  const int x = name == "digit" ? 16 * n : n == 24 ? 80 : 40 * ((n - 1) % 8);
  const int y = name == "digit" ? 40 : n == 24 ? 150 : 90 + 20 * ((n - 1) / 8);
  if (name != "miniature")
    return [=](int dx, int dy) { return pixelAt(sheet, x + dx, y + dy); };
  return [=](int dx, int dy) {
    uint32_t mean = 0;
    for (int shift : {0, 8, 16}) {
      uint32_t sum = 0;
      for (int j = 0; j < 16; ++j)
        sum += pixelAt(sheet, x + 4 * dx + j % 4, y + 4 * dy + j / 4) >> shift & 0xff;
      mean |= (sum + 8) / 16 << shift;
    }
    return mean;
  };
}

} // namespace

uint32_t pixelAt(const SDL_Surface *surface, int x, int y) {
  return pixelValue(surface, x, y) & 0xffffff;
}

bool isPixelStep(const SessionLine &line) {
  return line.words[0] == "expect" && line.words.size() > 1 &&
         (line.words[1] == "box" || line.words[1] == "ink" || line.words[1] == "text");
}

void drawAtRest(const RenderResources &resources, Editor &editor, const std::string &levelDirectory,
                int &reads) {
  editor.pointerX = editor.mouseX;
  editor.pointerY = editor.mouseY;
  refreshBrowserPreview(
      editor.browserPreview, editor,
      [&](const std::string &path, std::string &bytes) {
        return ++reads, readFileBytes(path, bytes);
      },
      levelDirectory);
  drawFrame(resources, editor);
}

std::string checkPixels(const SessionLine &line, const RenderResources &resources) {
  const std::vector<std::string> &w = line.words;
  if (resources.screen->w != 1024 || resources.screen->h != 768)
    return "the screen is not 1024 by 768";
  const int x = std::atoi(w[2].c_str()), y = std::atoi(w[3].c_str());
  int width = std::atoi(w[4].c_str()), height = std::atoi(w[5].c_str());
  std::size_t i = w[1] == "text" ? 4 : 6;
  // Sprites as the sheet file holds them, not as the editor's copy of it.
  static const SDL_Surface *const sheet = SDL_LoadBMP(RUN_DIR "/bmp/objets.bmp");
  Picture expected = pictureAt(w, i, sheet);
  if (w[1] == "text") {
    SDL_Surface *mask =
        TTF_RenderText_Solid(resources.font, w[6].c_str(), SDL_Color{255, 255, 255, 0});
    if (mask == nullptr)
      return "the text renders to nothing";
    std::vector<bool> ink;
    for (int dy = 0; dy < mask->h; ++dy)
      for (int dx = 0; dx < mask->w; ++dx)
        ink.push_back(static_cast<const Uint8 *>(mask->pixels)[dy * mask->pitch + dx] != 0);
    width = mask->w;
    height = mask->h;
    SDL_FreeSurface(mask);
    const Picture colour = expected, background = pictureAt(w, i, sheet);
    expected = [=](int dx, int dy) {
      return ink[dy * width + dx] ? colour(dx, dy) : background(dx, dy);
    };
  } else if (i + 1 < w.size() && w[i] == "half") {
    const Picture under = pictureAt(w, ++i, sheet), top = expected;
    expected = [=](int dx, int dy) {
      const uint32_t a = top(dx, dy), b = under(dx, dy);
      return ((a >> 1 & 0x7f7f7f) + (b >> 1 & 0x7f7f7f) + (a & b & 0x010101));
    };
  }
  int matching = 0;
  for (int dy = 0; dy < height; ++dy)
    for (int dx = 0; dx < width; ++dx) {
      const uint32_t shown = pixelAt(resources.screen, x + dx, y + dy), want = expected(dx, dy);
      char where[64];
      if (shown == want)
        ++matching;
      else if (w[1] != "ink" &&
               std::snprintf(where, sizeof where, "at (%d, %d) the frame shows %06x, not %06x",
                             x + dx, y + dy, shown, want))
        return where;
    }
  if (w[1] == "ink" && (matching > 0) == (w.size() > 7 && w[7] == "none"))
    return std::to_string(matching) + " pixels of " + w[6] + " in the box";
  return "";
}
