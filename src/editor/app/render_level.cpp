#include "editor/app/render_level.h"

#include "editor/screen_layout.h"
#include "render/draw_primitives.h"
#include "render/frame.h"
#include "render/image_file.h"
#include "render/render_resources.h"
#include "storage/level_file.h"
#include "storage/level_parser.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>

namespace {

int fail(const std::string &message) {
  std::cerr << "brickedit: " << message << "\n";
  return 1;
}

} // namespace

int renderLevel(const CommandLine &command) {
  const std::string &path = command.files.at(0);
  std::string bytes;
  if (readFileBytes(path, bytes) != FileRead::Done)
    return fail("cannot read the level file " + path);
  // The editor's own reader: what it would open is what is drawn.
  Bricks bricks{};
  int32_t brickCount = 0;
  const LevelParse parse = parseLevelBytes(bytes.data(), bytes.size(), bricks, brickCount);
  if (parse.refused)
    return fail(path + ": the brick count " + std::to_string(parse.refusedCount) +
                " is outside 0.." + std::to_string(BrickSlots));
  if (std::FILE *sheet = std::fopen(command.sheetPath.c_str(), "rb"))
    std::fclose(sheet);
  else
    return fail("cannot read the sprite sheet " + command.sheetPath +
                "; name another with --sheet PATH");

  // Drawn off screen: no display is needed, nor any font.
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  RenderSetup setup(ResourcePaths{nullptr, command.sheetPath.c_str()});
  if (!setup.ok())
    return fail("cannot set up drawing with the sprite sheet " + command.sheetPath);
  SDL_Surface *canvas = setup.resources().screen;
  drawLevelField(canvas, setup.resources().sheet, bricks, brickCount);
  std::string error;
  if (!writeImage(canvas, sdlRect(LevelBox), command.scale, command.output, error))
    return fail(error);
  return 0;
}
