#include "render/frame.h"

#include "editor/pattern_bricks.h"
#include "editor/screen_layout.h"
#include "render/dialog_overlay.h"
#include "render/draw_primitives.h"
#include "render/key_list_overlay.h"
#include "render/play_overlay.h"
#include "render/selection_overlay.h"
#include "render/sprite_sheet.h"
#include "tools/selection.h"

#include <algorithm>

namespace {

void drawPalette(SDL_Surface *screen, SDL_Surface *sheet, int32_t currentBrickType) {
  setSheetAlpha(sheet, false);
  for (int column = 0; column < Palette.columns; ++column)
    drawSheetRect(screen, sheet, digitSpriteRect(column + 1),
                  Palette.cellX(column) + PaletteHeadingInset, PaletteHeadingTop);
  // Only the current type is opaque; the others show at half intensity over the black.
  for (int32_t type = 1; type <= LastBrickType; ++type) {
    setSheetAlpha(sheet, type != currentBrickType);
    const Point at = palettePosition(type);
    drawBrickSprite(screen, sheet, type, at.x, at.y);
  }
}

// Columns from left to right, each from top to bottom.
template <typename Marked>
void drawCellGrid(SDL_Surface *screen, const CellGrid &grid, Marked marked) {
  for (int column = 0; column < grid.columns; ++column)
    for (int row = 0; row < grid.rows; ++row)
      drawMarkedCell(screen, grid.cell(column, row), marked(column, row));
}

void drawButtons(SDL_Surface *screen, TTF_Font *font) {
  struct Button {
    const Box &box;
    const char *label;
  };
  const Button buttons[] = {{ClearAllBox, "Effacer tout !"},
                            {SaveBox, "Sauvegarder !"},
                            {OpenBox, "Ouvrir niveau"},
                            {TestBox, "Tester !"}};
  for (const Button &button : buttons) {
    fillBox(screen, button.box, Grey);
    drawText(screen, font, button.label, Red, button.box.x + ButtonLabelInset, button.box.y);
  }
}

// Plus signs first, each as its horizontal then its vertical bar, then the minus signs.
void drawStepperSigns(SDL_Surface *screen, const PanelRow &first, const PanelRow &second) {
  constexpr int Size = StepperSignSize;
  constexpr int Thickness = StepperSignThickness;
  constexpr int Middle = (Size - Thickness) / 2;
  for (const PanelRow *row : {&first, &second}) {
    const int x = plusBox(*row).x + StepperSignInset;
    const int y = row->top + StepperSignInset;
    fillBox(screen, Box{x, y + Middle, Size, Thickness}, Red);
    fillBox(screen, Box{x + Middle, y, Thickness, Size}, Red);
  }
  for (const PanelRow *row : {&first, &second})
    fillBox(screen,
            Box{minusBox(*row).x + StepperSignInset, row->top + StepperSignInset + Middle, Size,
                Thickness},
            Red);
}

void drawPanel(SDL_Surface *screen, SDL_Surface *sheet, TTF_Font *font, const EditorState &state) {
  setSheetAlpha(sheet, false);
  for (const PanelRow *row : {&SpacingXRow, &SpacingYRow, &OffsetXRow, &OffsetYRow})
    drawText(screen, font, row->label, Red, row->labelX, row->top - PanelLabelRise);
  drawCounter(screen, sheet, state.spacingX, CounterLeft, SpacingXRow.top);
  drawCounter(screen, sheet, state.spacingY, CounterLeft, SpacingYRow.top);
  drawSignedCounter(screen, sheet, state.offsetX, SignedCounterLeft, OffsetXRow.top);
  drawSignedCounter(screen, sheet, state.offsetY, SignedCounterLeft, OffsetYRow.top);
  drawStepperSigns(screen, SpacingXRow, SpacingYRow);
  drawStepperSigns(screen, OffsetXRow, OffsetYRow);
}

// The pattern, translucent, with its top-left cell at the pointer, when the whole pattern box
// fits the level area there: the test the press handler makes before it stamps. It gives way to
// a gesture on the selection and to a paste, as a press does then.
void drawPreview(SDL_Surface *screen, SDL_Surface *sheet, const Editor &editor) {
  const EditorState &state = editor.state;
  if (editor.currentBrickType <= 0 || !inPlacementArea(editor.pointerX, editor.pointerY, state) ||
      selectionBusy(editor.brickSelection))
    return;
  setSheetAlpha(sheet, true);
  const int originX = editor.pointerX;
  const int originY = editor.pointerY;
  forEachPatternBrick(editor.selection, state, originX, originY, [&](int x, int y) {
    drawBrickSprite(screen, sheet, editor.currentBrickType, x, y);
    return true;
  });
  if (!editor.mirror)
    return;
  // The twins a mirrored placement would lay with them; one that falls on a pattern brick is
  // laid once, so it is shown once.
  forEachPatternBrick(editor.selection, state, originX, originY, [&](int x, int y) {
    if (!patternBrickAt(editor.selection, state, originX, originY, mirroredX(x), y))
      drawBrickSprite(screen, sheet, editor.currentBrickType, mirroredX(x), y);
    return true;
  });
}

// The axis of mirror placement, dotted down the field between its two middle columns.
void drawMirrorLine(SDL_Surface *canvas) {
  constexpr int Dash = 4;
  for (int y = LevelTop; y < LevelBottom; y += 2 * Dash)
    fillBox(canvas, Box{LevelCentreX - 1, y, 2, std::min(Dash, LevelBottom - y)}, White);
}

} // namespace

void drawLevelField(SDL_Surface *canvas, SDL_Surface *sheet, const Bricks &bricks,
                    int32_t brickCount, bool mirrorLine) {
  fillBox(canvas, LevelBox, Grey);
  if (mirrorLine)
    drawMirrorLine(canvas);
  setSheetAlpha(sheet, false);
  const int32_t count = bricksInUse(brickCount);
  for (int32_t slot = 0; slot < count; ++slot)
    drawBrickSprite(canvas, sheet, bricks[slot].type, bricks[slot].x, bricks[slot].y);
}

void drawFrame(const RenderResources &resources, const Editor &editor) {
  // Behind a game the editor shows as it was when the game began: it is drawn once.
  if (editor.play && resources.cache != nullptr && resources.backSurface != nullptr &&
      resources.cache->backdropOfPlay == editor.play->id) {
    drawPlay(resources, editor);
    SDL_Flip(resources.screen);
    return;
  }
  // Behind a dialog or a game the editor picture is drawn straight onto backSurface, from which
  // the overlay dims it onto the screen: the same pixels as drawing on the screen and copying it
  // across, without the full-screen copy.
  const bool overlaid = editor.state.mode != Editing || editor.play || editor.keyListShown;
  const bool dimmed = overlaid && resources.backSurface != nullptr;
  SDL_Surface *canvas = dimmed ? resources.backSurface : resources.screen;
  SDL_Surface *sheet = resources.sheet;
  SDL_FillRect(canvas, nullptr, mapColour(canvas, Black));
  // The palette comes between the field's grey and its bricks, as it always has; they do not
  // overlap, so drawing the field in one piece after it gives the same pixels.
  drawPalette(canvas, sheet, editor.currentBrickType);
  drawLevelField(canvas, sheet, editor.bricks, editor.state.brickCount, editor.mirror);
  drawCellGrid(canvas, PatternGrid,
               [&](int column, int row) { return editor.selection[cellIndex(column, row)] != 0; });
  drawButtons(canvas, resources.font);
  drawPanel(canvas, sheet, resources.font, editor.state);
  // The centre cell is direction (0, 0).
  drawCellGrid(canvas, Chooser, [&](int column, int row) {
    return column - 1 == editor.state.relativeX && row - 1 == editor.state.relativeY;
  });
  drawPreview(canvas, sheet, editor);
  drawSelectionOverlay(canvas, sheet, editor);
  drawText(canvas, resources.font, editor.helpText, White, HelpLinePosition.x, HelpLinePosition.y);
  if (editor.play)
    drawPlay(resources, editor);
  else if (editor.state.mode != Editing)
    drawDialogOverlay(resources, editor);
  else if (editor.keyListShown)
    drawKeyList(resources);
  SDL_Flip(resources.screen);
}
