#include "render/selection_overlay.h"

#include "render/draw_primitives.h"
#include "render/sprite_sheet.h"
#include "tools/selection.h"

#include <algorithm>

namespace {

// Bricks that do not reach into the field are left out: the overlay is clipped to it, and the
// positions far off that a level file may hold do not fit the library's 16-bit rectangles.
bool reachesField(int64_t x, int64_t y) {
  return x > LevelLeft - BrickWidth && x < LevelRight && y > LevelTop - BrickHeight &&
         y < LevelBottom;
}

// On the brick's own outermost pixels, so that it never covers a neighbour touching it. Red,
// the mark of a chosen pattern cell, is the interface colour farthest from every sprite's rim
// and from the pixels just inside it (bmp/objets.bmp: at least 141 and 118 apart in RGB, where
// white comes within 64 and 55 of the glass and dynamite bricks, and black within 67 of the
// dark rims), and far from the grey field.
void drawOutline(SDL_Surface *canvas, const Brick &brick) {
  const int right = brick.x + BrickWidth - 1;
  const int bottom = brick.y + BrickHeight - 1;
  for (const Box &side :
       {Box{brick.x, brick.y, BrickWidth, 1}, Box{brick.x, bottom, BrickWidth, 1},
        Box{brick.x, brick.y, 1, BrickHeight}, Box{right, brick.y, 1, BrickHeight}})
    fillBox(canvas, side, Red);
}

// Half transparent, as the pattern preview.
void drawGhost(SDL_Surface *canvas, SDL_Surface *sheet, const Brick &brick, int64_t dx,
               int64_t dy) {
  const int64_t x = brick.x + dx;
  const int64_t y = brick.y + dy;
  if (reachesField(x, y))
    drawBrickSprite(canvas, sheet, brick.type, static_cast<int32_t>(x), static_cast<int32_t>(y));
}

// Dashes of white and black in turn, seen over the grey field and over every brick; the frame
// is kept within the field, where the clip would hide the edges beyond it.
void drawFrame(SDL_Surface *canvas, const Region &frame) {
  constexpr int Dash = 4;
  const int left = std::max(frame.left, LevelLeft);
  const int top = std::max(frame.top, LevelTop);
  const int right = std::min(frame.right, LevelRight - 1);
  const int bottom = std::min(frame.bottom, LevelBottom - 1);
  for (int x = left; x <= right; x += Dash) {
    const Colour colour = (x - left) / Dash % 2 == 0 ? White : Black;
    const int width = std::min(Dash, right + 1 - x);
    fillBox(canvas, Box{x, top, width, 1}, colour);
    fillBox(canvas, Box{x, bottom, width, 1}, colour);
  }
  for (int y = top; y <= bottom; y += Dash) {
    const Colour colour = (y - top) / Dash % 2 == 0 ? White : Black;
    const int height = std::min(Dash, bottom + 1 - y);
    fillBox(canvas, Box{left, y, 1, height}, colour);
    fillBox(canvas, Box{right, y, 1, height}, colour);
  }
}

} // namespace

void drawSelectionOverlay(SDL_Surface *canvas, SDL_Surface *sheet, const Editor &editor) {
  const BrickSelection &selection = editor.brickSelection;
  const int32_t inUse = bricksInUse(editor.state.brickCount);
  SDL_Rect field = sdlRect(LevelBox);
  SDL_SetClipRect(canvas, &field);
  for (int32_t slot = 0; slot < inUse; ++slot) {
    const Brick &brick = editor.bricks[slot];
    if (selection.marked[slot] != 0 && reachesField(brick.x, brick.y))
      drawOutline(canvas, brick);
  }
  if (selectionBusy(selection))
    setSheetAlpha(sheet, true);
  for (int32_t slot = 0; selection.gesture == SelectionGesture::Moving && slot < inUse; ++slot) {
    if (selection.marked[slot] != 0)
      drawGhost(canvas, sheet, editor.bricks[slot], editor.pointerX - selection.pressX,
                editor.pointerY - selection.pressY);
  }
  for (const Brick &copy : selection.copied) {
    if (selection.pasting)
      drawGhost(canvas, sheet, copy, editor.pointerX, editor.pointerY);
  }
  if (selection.gesture == SelectionGesture::Framing)
    drawFrame(canvas, frameTo(selection, editor.pointerX, editor.pointerY));
  SDL_SetClipRect(canvas, nullptr);
}
