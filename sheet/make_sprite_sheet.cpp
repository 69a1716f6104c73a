// Draws the sprite sheet bmp/objets.bmp: the digits 0..9 and the 24 brick types, at the
// rectangles the editor reads them from. Usage: make_sprite_sheet <output path>
//
// The sprites are copied as full rectangles, background included, opaque over the grey level
// area and at half intensity over black in the palette, so every sprite fills its rectangle.
// Ordinary bricks run along a colour ramp with their lifetime written on them; the three
// special bricks are told apart by their look alone.

#include "render/sprite_sheet.h"

#include "editor/editor_state.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr char FontPath[] = "/usr/share/fonts/opentype/comic-neue/ComicNeue-Bold.otf";
constexpr int BrickNumberPoints = 15;
constexpr int DigitPoints = 19;
constexpr int TntPoints = 10;

struct Rgb {
  double r;
  double g;
  double b;
};

Rgb mix(Rgb a, Rgb b, double t) {
  return Rgb{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
Rgb scale(Rgb c, double f) {
  return Rgb{c.r * f, c.g * f, c.b * f};
}

Rgb fromHsv(double hue, double saturation, double value) {
  const double h = std::fmod(hue + 360.0, 360.0) / 60.0;
  const double c = value * saturation;
  const double x = c * (1 - std::fabs(std::fmod(h, 2.0) - 1));
  const double m = value - c;
  Rgb rgb{0, 0, 0};
  switch (static_cast<int>(h)) {
  case 0:
    rgb = {c, x, 0};
    break;
  case 1:
    rgb = {x, c, 0};
    break;
  case 2:
    rgb = {0, c, x};
    break;
  case 3:
    rgb = {0, x, c};
    break;
  case 4:
    rgb = {x, 0, c};
    break;
  default:
    rgb = {c, 0, x};
    break;
  }
  return Rgb{(rgb.r + m) * 255, (rgb.g + m) * 255, (rgb.b + m) * 255};
}

// An RGB picture in doubles, written out once at the end.
struct Canvas {
  int width;
  int height;
  std::vector<Rgb> pixels;

  Canvas(int w, int h) : width(w), height(h), pixels(static_cast<size_t>(w) * h, Rgb{0, 0, 0}) {}
  bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
  void set(int x, int y, Rgb colour) {
    if (inside(x, y))
      pixels[static_cast<size_t>(y) * width + x] = colour;
  }
  void blend(int x, int y, Rgb colour, double alpha) {
    if (inside(x, y)) {
      Rgb &pixel = pixels[static_cast<size_t>(y) * width + x];
      pixel = mix(pixel, colour, std::clamp(alpha, 0.0, 1.0));
    }
  }
};

// Coverage of a text, 0..1 per pixel, from the font's smooth rendering.
struct Mask {
  int width = 0;
  int height = 0;
  std::vector<double> coverage;
  double at(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height)
      return 0;
    return coverage[static_cast<size_t>(y) * width + x];
  }
};

Mask renderMask(TTF_Font *font, const std::string &text) {
  Mask mask;
  SDL_Color white{255, 255, 255, 0};
  SDL_Surface *rendered = TTF_RenderText_Blended(font, text.c_str(), white);
  if (rendered == nullptr)
    return mask;
  mask.width = rendered->w;
  mask.height = rendered->h;
  mask.coverage.resize(static_cast<size_t>(mask.width) * mask.height);
  SDL_LockSurface(rendered);
  for (int y = 0; y < mask.height; ++y)
    for (int x = 0; x < mask.width; ++x) {
      Uint32 pixel = *reinterpret_cast<Uint32 *>(static_cast<Uint8 *>(rendered->pixels) +
                                                 y * rendered->pitch + x * 4);
      Uint8 r, g, b, a;
      SDL_GetRGBA(pixel, rendered->format, &r, &g, &b, &a);
      mask.coverage[static_cast<size_t>(y) * mask.width + x] = a / 255.0;
    }
  SDL_UnlockSurface(rendered);
  SDL_FreeSurface(rendered);
  return mask;
}

// Draws a text centred on its ink inside (left, top, w, h), with a dark outline so that it
// reads on every brick colour and at half intensity.
void drawCentredText(Canvas &canvas, const Mask &mask, int left, int top, int w, int h, Rgb fill,
                     Rgb outline, double outlineStrength) {
  int inkLeft = mask.width, inkRight = -1, inkTop = mask.height, inkBottom = -1;
  for (int y = 0; y < mask.height; ++y)
    for (int x = 0; x < mask.width; ++x)
      if (mask.at(x, y) > 0.25) {
        inkLeft = std::min(inkLeft, x);
        inkRight = std::max(inkRight, x);
        inkTop = std::min(inkTop, y);
        inkBottom = std::max(inkBottom, y);
      }
  if (inkRight < 0)
    return;
  const int originX = left + (w - (inkRight - inkLeft + 1)) / 2 - inkLeft;
  const int originY = top + (h - (inkBottom - inkTop + 1) + 1) / 2 - inkTop;
  if (outlineStrength > 0)
    for (int y = -1; y <= mask.height; ++y)
      for (int x = -1; x <= mask.width; ++x) {
        double around = 0;
        for (int dy = -1; dy <= 1; ++dy)
          for (int dx = -1; dx <= 1; ++dx)
            around = std::max(around, mask.at(x + dx, y + dy));
        // The shadow falls a pixel lower, which gives the number some depth.
        around = std::max(around, mask.at(x, y - 1) * 1.0);
        canvas.blend(originX + x, originY + y, outline, around * outlineStrength);
      }
  for (int y = 0; y < mask.height; ++y)
    for (int x = 0; x < mask.width; ++x)
      canvas.blend(originX + x, originY + y, fill, mask.at(x, y));
}

// A bevelled 40 by 20 block: light top and left edges, dark bottom and right edges, a face
// that darkens slightly downwards and a thin dark rim that parts it from its neighbours.
void drawBevelledBlock(Canvas &canvas, int left, int top, Rgb face) {
  const Rgb white{255, 255, 255};
  const Rgb black{0, 0, 0};
  for (int y = 0; y < BrickHeight; ++y)
    for (int x = 0; x < BrickWidth; ++x) {
      const double shade = 1.08 - 0.22 * y / (BrickHeight - 1);
      Rgb colour = scale(face, shade);
      const int fromRight = BrickWidth - 1 - x;
      const int fromBottom = BrickHeight - 1 - y;
      if (x == 0 || y == 0 || fromRight == 0 || fromBottom == 0)
        colour = mix(face, black, 0.65);
      else if (y <= 2 && y <= fromRight)
        colour = mix(face, white, y == 1 ? 0.6 : 0.35);
      else if (x <= 2 && x <= fromBottom)
        colour = mix(face, white, x == 1 ? 0.45 : 0.25);
      else if (fromBottom <= 2)
        colour = mix(face, black, fromBottom == 1 ? 0.5 : 0.3);
      else if (fromRight <= 2)
        colour = mix(face, black, fromRight == 1 ? 0.4 : 0.22);
      canvas.set(
          left + x, top + y,
          Rgb{std::min(colour.r, 255.0), std::min(colour.g, 255.0), std::min(colour.b, 255.0)});
    }
}

// Lifetime 1 is a cool green, the ramp goes through yellow, orange and red to violet and deep
// blue for the longest-lived bricks.
Rgb ordinaryFace(int type) {
  const double hue = 140.0 - (type - 1) * 14.5;
  const double value = 0.93 - 0.012 * (type - 1);
  return fromHsv(hue, 0.78, value);
}

void drawOrdinaryBrick(Canvas &canvas, const SDL_Rect &at, int type, TTF_Font *numberFont) {
  drawBevelledBlock(canvas, at.x, at.y, ordinaryFace(type));
  drawCentredText(canvas, renderMask(numberFont, std::to_string(type)), at.x + 1, at.y + 1,
                  BrickWidth - 2, BrickHeight - 3, Rgb{255, 255, 255}, Rgb{20, 20, 30}, 0.85);
}

// Unbreakable: brushed steel with a diagonal sheen and a rivet in each corner.
void drawSteelBrick(Canvas &canvas, const SDL_Rect &at) {
  drawBevelledBlock(canvas, at.x, at.y, Rgb{150, 162, 180});
  for (int y = 3; y < BrickHeight - 3; ++y)
    for (int x = 3; x < BrickWidth - 3; ++x) {
      // Fine horizontal brushing plus two bright diagonal bands.
      const double brushing = ((y * 7 + x / 5) % 3 == 0) ? 0.06 : 0.0;
      const int diagonal = x + y;
      const double sheen = (diagonal >= 14 && diagonal <= 18)   ? 0.35
                           : (diagonal >= 21 && diagonal <= 22) ? 0.2
                                                                : 0;
      canvas.blend(at.x + x, at.y + y, Rgb{255, 255, 255}, sheen + brushing);
    }
  const int rivetX[] = {5, BrickWidth - 7};
  const int rivetY[] = {4, BrickHeight - 6};
  for (int rx : rivetX)
    for (int ry : rivetY) {
      canvas.set(at.x + rx, at.y + ry, Rgb{230, 236, 245});
      canvas.set(at.x + rx + 1, at.y + ry, Rgb{170, 180, 195});
      canvas.set(at.x + rx, at.y + ry + 1, Rgb{150, 160, 175});
      canvas.set(at.x + rx + 1, at.y + ry + 1, Rgb{60, 66, 80});
    }
}

// Dynamite: three red sticks bound by a tan band marked TNT, a fuse and its spark.
void drawDynamiteBrick(Canvas &canvas, const SDL_Rect &at, TTF_Font *tntFont) {
  drawBevelledBlock(canvas, at.x, at.y, Rgb{200, 30, 25});
  // Grooves between the sticks.
  for (int x = 2; x < BrickWidth - 2; ++x)
    for (int groove : {7, 13}) {
      canvas.blend(at.x + x, at.y + groove, Rgb{90, 0, 0}, 0.8);
      canvas.blend(at.x + x, at.y + groove + 1, Rgb{255, 120, 100}, 0.35);
    }
  // The band round the middle.
  for (int y = 2; y < BrickHeight - 2; ++y)
    for (int x = 11; x <= 28; ++x) {
      const bool edge = x == 11 || x == 28;
      canvas.set(at.x + x, at.y + y, edge ? Rgb{120, 90, 40} : Rgb{232, 205, 140});
    }
  drawCentredText(canvas, renderMask(tntFont, "TNT"), at.x + 12, at.y + 3, 16, BrickHeight - 6,
                  Rgb{20, 10, 5}, Rgb{0, 0, 0}, 0.0);
  // Fuse leaving the top-right stick, ending in a spark.
  const int fuse[][2] = {{31, 4}, {32, 3}, {33, 3}, {34, 2}, {35, 2}};
  for (const auto &point : fuse)
    canvas.set(at.x + point[0], at.y + point[1], Rgb{40, 30, 20});
  canvas.set(at.x + 36, at.y + 1, Rgb{255, 255, 200});
  canvas.set(at.x + 37, at.y + 1, Rgb{255, 210, 60});
  canvas.set(at.x + 36, at.y + 2, Rgb{255, 210, 60});
  canvas.set(at.x + 35, at.y + 1, Rgb{255, 160, 30});
  canvas.set(at.x + 37, at.y + 2, Rgb{255, 140, 20});
  canvas.set(at.x + 36, at.y + 0, Rgb{255, 140, 20});
}

// Invisible: a faint pane of glass, close to the level's grey, with a light outline and two
// glints, so a designer sees where it is while the game shows nothing.
void drawGlassBrick(Canvas &canvas, const SDL_Rect &at) {
  for (int y = 0; y < BrickHeight; ++y)
    for (int x = 0; x < BrickWidth; ++x) {
      const bool rim = x == 0 || y == 0 || x == BrickWidth - 1 || y == BrickHeight - 1;
      const bool innerRim = x == 1 || y == 1 || x == BrickWidth - 2 || y == BrickHeight - 2;
      Rgb colour{138, 146, 158};
      if (rim)
        colour = Rgb{205, 220, 235};
      else if (innerRim)
        colour = Rgb{110, 118, 130};
      else {
        const int diagonal = x - 2 * y;
        if (diagonal >= 4 && diagonal <= 7)
          colour = Rgb{185, 198, 212};
        else if (diagonal >= 10 && diagonal <= 11)
          colour = Rgb{168, 178, 192};
      }
      // The rim is dotted along the long sides, which keeps it faint.
      if (rim && (y == 0 || y == BrickHeight - 1) && x % 4 == 3)
        colour = Rgb{150, 160, 172};
      canvas.set(at.x + x, at.y + y, colour);
    }
}

// Counter digits: white with a soft amber glow on black, readable at 16 by 16.
void drawDigit(Canvas &canvas, const SDL_Rect &at, int digit, TTF_Font *digitFont) {
  drawCentredText(canvas, renderMask(digitFont, std::to_string(digit)), at.x, at.y, at.w, at.h,
                  Rgb{255, 250, 235}, Rgb{140, 70, 0}, 0.7);
}

// A 32-bit BMP with explicit red, green and blue masks and no alpha mask: the loader keeps it in
// the screen's usual XRGB layout with no alpha channel, so half-transparent blits of it take
// SDL's fast 32-bit path (a 24-bit sheet blends pixel by pixel, several times slower), and the
// per-surface alpha is never overridden by a per-pixel one.
bool writeBmp(const Canvas &canvas, const char *path) {
  const uint32_t headerBytes = 14 + 40 + 12;
  const uint32_t pixelBytes = static_cast<uint32_t>(canvas.width) * canvas.height * 4;
  std::vector<uint8_t> file;
  auto put16 = [&file](uint32_t v) {
    file.push_back(static_cast<uint8_t>(v));
    file.push_back(static_cast<uint8_t>(v >> 8));
  };
  auto put32 = [&put16](uint32_t v) {
    put16(v & 0xffff);
    put16(v >> 16);
  };
  file.push_back('B');
  file.push_back('M');
  put32(headerBytes + pixelBytes);
  put32(0);
  put32(headerBytes);
  put32(40); // BITMAPINFOHEADER
  put32(static_cast<uint32_t>(canvas.width));
  put32(static_cast<uint32_t>(canvas.height)); // positive: rows bottom-up
  put16(1);
  put16(32);
  put32(3); // BI_BITFIELDS
  put32(pixelBytes);
  put32(2835);
  put32(2835);
  put32(0);
  put32(0);
  put32(0x00ff0000);
  put32(0x0000ff00);
  put32(0x000000ff);
  auto byte = [](double v) { return static_cast<uint8_t>(std::lround(std::clamp(v, 0.0, 255.0))); };
  for (int y = canvas.height - 1; y >= 0; --y)
    for (int x = 0; x < canvas.width; ++x) {
      const Rgb &c = canvas.pixels[static_cast<size_t>(y) * canvas.width + x];
      file.push_back(byte(c.b));
      file.push_back(byte(c.g));
      file.push_back(byte(c.r));
      file.push_back(0);
    }
  FILE *out = std::fopen(path, "wb");
  bool written = out != nullptr && std::fwrite(file.data(), 1, file.size(), out) == file.size();
  if (out != nullptr && std::fclose(out) != 0)
    written = false;
  if (!written)
    std::printf("Unable to write %s\n", path);
  return written;
}

} // namespace

int main(int argc, char **argv) {
  if (argc != 2) {
    std::printf("Usage: make_sprite_sheet <output.bmp>\n");
    return 2;
  }
  if (SDL_Init(0) != 0 || TTF_Init() != 0) {
    std::printf("Unable to start SDL or SDL_ttf: %s\n", SDL_GetError());
    return 1;
  }
  TTF_Font *numberFont = TTF_OpenFont(FontPath, BrickNumberPoints);
  TTF_Font *digitFont = TTF_OpenFont(FontPath, DigitPoints);
  TTF_Font *tntFont = TTF_OpenFont(FontPath, TntPoints);
  if (numberFont == nullptr || digitFont == nullptr || tntFont == nullptr) {
    std::printf("Unable to open %s (Debian package fonts-comic-neue)\n", FontPath);
    return 1;
  }

  // The smallest sheet that holds every sprite.
  Canvas canvas(320, 170);
  for (int digit = 0; digit <= 9; ++digit)
    drawDigit(canvas, digitSpriteRect(digit), digit, digitFont);
  for (int type = 1; type <= LastOrdinaryType; ++type)
    drawOrdinaryBrick(canvas, brickSpriteRect(type), type, numberFont);
  drawSteelBrick(canvas, brickSpriteRect(22));
  drawDynamiteBrick(canvas, brickSpriteRect(23), tntFont);
  drawGlassBrick(canvas, brickSpriteRect(24));

  const bool written = writeBmp(canvas, argv[1]);
  TTF_CloseFont(tntFont);
  TTF_CloseFont(digitFont);
  TTF_CloseFont(numberFont);
  TTF_Quit();
  SDL_Quit();
  return written ? 0 : 1;
}
