#include "render/frame.h"

#include "editor/pattern_bricks.h"
#include "render/dialog_overlay.h"
#include "render/draw_primitives.h"
#include "render/render_layout.h"
#include "render/sprite_sheet.h"

#include <algorithm>

namespace {

void drawPalette(SDL_Surface *screen, SDL_Surface *sheet, int32_t currentBrickType) {
  setSheetAlpha(sheet, false);
  for (int column = 0; column < PaletteColumns; ++column)
    drawSheetRect(screen, sheet, digitSpriteRect(column + 1),
                  PaletteLeft + PaletteStepX * column + PaletteHeadingInset, PaletteHeadingTop);
  // Only the current type is opaque; the others show at half intensity over the black.
  for (int32_t type = 1; type <= LastBrickType; ++type) {
    setSheetAlpha(sheet, type != currentBrickType);
    const Point at = palettePosition(type);
    drawBrickSprite(screen, sheet, type, at.x, at.y);
  }
}

void drawPlacedBricks(SDL_Surface *screen, SDL_Surface *sheet, const Editor &editor) {
  setSheetAlpha(sheet, false);
  const int32_t count = std::min<int32_t>(editor.state.brickCount, BrickSlots);
  for (int32_t slot = 0; slot < count; ++slot) {
    const Brick &brick = editor.bricks[slot];
    drawBrickSprite(screen, sheet, brick.type, brick.x, brick.y);
  }
}

void drawPatternGrid(SDL_Surface *screen, const Selection &selection) {
  for (int column = 0; column < GridColumns; ++column)
    for (int row = 0; row < GridRows; ++row)
      drawMarkedCell(screen, PatternGridLeft + GridCellStepX * column,
                     PatternGridTop + GridCellStepY * row, selection[cellIndex(column, row)] != 0);
}

void drawButtons(SDL_Surface *screen, TTF_Font *font) {
  struct Button {
    int top;
    const char *label;
  };
  constexpr Button buttons[] = {
      {ClearAllTop, "Effacer tout !"}, {SaveTop, "Sauvegarder !"}, {OpenTop, "Ouvrir niveau"}};
  for (const Button &button : buttons) {
    fillBox(screen, ButtonBoxLeft, button.top, ButtonBoxWidth, ButtonBoxHeight, Grey);
    drawText(screen, font, button.label, Red, ButtonLabelLeft, button.top);
  }
}

void drawStepperSigns(SDL_Surface *screen, const int (&rowTops)[2]) {
  for (int top : rowTops) {
    fillBox(screen, PlusLeft, top + 5, SignSize, SignThickness, Red);
    fillBox(screen, PlusLeft + 5, top, SignThickness, SignSize, Red);
  }
  for (int top : rowTops)
    fillBox(screen, MinusLeft, top + 5, SignSize, SignThickness, Red);
}

void drawPanel(SDL_Surface *screen, SDL_Surface *sheet, TTF_Font *font, const EditorState &state) {
  setSheetAlpha(sheet, false);
  for (const PanelLabel &label : PanelLabels)
    drawText(screen, font, label.text, Red, label.x, label.y);
  drawCounter(screen, sheet, state.spacingX, CounterLeft, SpacingXCounterTop);
  drawCounter(screen, sheet, state.spacingY, CounterLeft, SpacingYCounterTop);
  drawSignedCounter(screen, sheet, state.offsetX, SignedCounterLeft, OffsetXCounterTop);
  drawSignedCounter(screen, sheet, state.offsetY, SignedCounterLeft, OffsetYCounterTop);
  drawStepperSigns(screen, SpacingStepperRows);
  drawStepperSigns(screen, OffsetStepperRows);
}

void drawChooser(SDL_Surface *screen, const EditorState &state) {
  for (int dx = -1; dx <= 1; ++dx)
    for (int dy = -1; dy <= 1; ++dy)
      drawMarkedCell(screen, ChooserCentreX + GridCellStepX * dx,
                     ChooserCentreY + GridCellStepY * dy,
                     dx == state.relativeX && dy == state.relativeY);
}

// The pattern, translucent, with its top-left cell at the pointer, when the whole pattern box
// fits the level area there: the test the press handler makes before it stamps.
void drawPreview(SDL_Surface *screen, SDL_Surface *sheet, const Editor &editor) {
  const EditorState &state = editor.state;
  if (editor.currentBrickType <= 0 || !inPlacementArea(editor.pointerX, editor.pointerY, state))
    return;
  setSheetAlpha(sheet, true);
  forEachPatternBrick(editor.selection, state, editor.pointerX, editor.pointerY, [&](int x, int y) {
    drawBrickSprite(screen, sheet, editor.currentBrickType, x, y);
    return true;
  });
}

} // namespace

void drawFrame(const RenderResources &resources, const Editor &editor) {
  // Behind a dialog the editor picture is drawn straight onto backSurface, from which the
  // overlay dims it onto the screen: the same pixels as drawing on the screen and copying it
  // across, without the full-screen copy.
  const bool dimmed = editor.state.mode != Editing && resources.backSurface != nullptr;
  SDL_Surface *canvas = dimmed ? resources.backSurface : resources.screen;
  SDL_Surface *sheet = resources.sheet;
  SDL_FillRect(canvas, nullptr, mapColour(canvas, Black));
  fillBox(canvas, LevelLeft, LevelTop, LevelWidth, LevelHeight, Grey);
  drawPalette(canvas, sheet, editor.currentBrickType);
  drawPlacedBricks(canvas, sheet, editor);
  drawPatternGrid(canvas, editor.selection);
  drawButtons(canvas, resources.font);
  drawPanel(canvas, sheet, resources.font, editor.state);
  drawChooser(canvas, editor.state);
  drawPreview(canvas, sheet, editor);
  drawText(canvas, resources.font, editor.helpText, White, HelpLineLeft, HelpLineTop);
  if (editor.state.mode != Editing)
    drawDialogOverlay(resources, editor);
  SDL_Flip(resources.screen);
}
