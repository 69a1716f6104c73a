#include "render/selection_overlay.h"

#include "render/draw_primitives.h"
#include "render/sprite_sheet.h"
#include "tools/selection.h"

namespace {

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

// Half transparent, as the pattern preview. Far off, where only a level file puts bricks, the
// position wraps; the sprite's own test of the library's range then leaves it out.
void drawGhost(SDL_Surface *canvas, SDL_Surface *sheet, const Brick &brick, int64_t dx,
               int64_t dy) {
  drawBrickSprite(canvas, sheet, brick.type, static_cast<int32_t>(brick.x + dx),
                  static_cast<int32_t>(brick.y + dy));
}

// Dashes of white and black in turn, seen over the grey field and over every brick.
void drawFrame(SDL_Surface *canvas, const Region &frame) {
  constexpr int Dash = 4;
  // The pixel (x, y) of an edge, along pixels from the frame's corner.
  const auto dot = [canvas](int x, int y, int along) {
    fillBox(canvas, Box{x, y, 1, 1}, along / Dash % 2 == 0 ? White : Black);
  };
  for (int x = frame.left; x <= frame.right; ++x) {
    dot(x, frame.top, x - frame.left);
    dot(x, frame.bottom, x - frame.left);
  }
  for (int y = frame.top; y <= frame.bottom; ++y) {
    dot(frame.left, y, y - frame.top);
    dot(frame.right, y, y - frame.top);
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
    // Only bricks wholly inside the field: the library's rectangles cannot hold the positions
    // far off that a level file may give the others.
    if (selection.marked[slot] && insideLevel(brick.x, brick.y))
      drawOutline(canvas, brick);
  }
  setSheetAlpha(sheet, true);
  if (selection.gesture == SelectionGesture::Moving) {
    for (int32_t slot = 0; slot < inUse; ++slot) {
      if (selection.marked[slot])
        drawGhost(canvas, sheet, editor.bricks[slot], editor.pointerX - selection.pressX,
                  editor.pointerY - selection.pressY);
    }
  }
  if (selection.pasting) {
    for (const Brick &copy : selection.copied)
      drawGhost(canvas, sheet, copy, editor.pointerX, editor.pointerY);
  }
  if (selection.gesture == SelectionGesture::Framing)
    drawFrame(canvas, frameTo(selection, editor.pointerX, editor.pointerY));
  SDL_SetClipRect(canvas, nullptr);
}
