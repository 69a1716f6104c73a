#pragma once
// Pixel expectations of the sessions, checked against the frame drawn headless from the
// session's editor, the pointer where the last mouse event left it:
//   expect box X Y W H PICTURE [half PICTURE]   every pixel of the box shows the picture, or the
//                                               first mixed half and half over the second
//   expect ink X Y W H COLOUR [none]            some pixel of the box, or none, has the colour
//   expect text X Y COLOUR BACKGROUND "TEXT"    the text rendered solid, ink and background
// A PICTURE is a colour (black, grey, red, white or hexadecimal RRGGBB), "brick TYPE" or "digit D":
// the sprite from its top-left corner, read from the sheet where it must lie; or "miniature
// TYPE": the brick at quarter scale, each pixel the mean of a 4 by 4 block of the sprite, rounded.

#include "render/render_resources.h"
#include "session.h"

bool isPixelStep(const SessionLine &line);
// 0xRRGGBB of a pixel of a 32-bit surface such as the screen.
uint32_t pixelAt(const SDL_Surface *surface, int x, int y);
// Draws onto resources.screen the frame the editor shows when its pointer rests, its browser's
// preview first brought in line from levelDirectory as the loop does; reads counts the level
// files read for the preview ("expect reads N").
void drawAtRest(const RenderResources &resources, Editor &editor, const std::string &levelDirectory,
                int &reads);
// Checks one pixel expectation against resources.screen: "" or the first pixel that differs.
std::string checkPixels(const SessionLine &line, const RenderResources &resources);
