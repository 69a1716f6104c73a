#include "render/browser_preview_panel.h"

#include "render/brick_miniatures.h"
#include "render/draw_primitives.h"
#include "render/sprite_sheet.h"
#include "storage/level_preview.h"

namespace {

constexpr char UnreadableText[] = "Niveau illisible";

// Draws with the screen clipped to box, as far as the preview may reach.
template <typename Draw> void clippedTo(SDL_Surface *screen, const Box &box, Draw draw) {
  SDL_Rect saved;
  SDL_GetClipRect(screen, &saved);
  SDL_Rect clip = sdlRect(box);
  SDL_SetClipRect(screen, &clip);
  draw();
  SDL_SetClipRect(screen, &saved);
}

// A quarter of a level offset, rounded down, so that a brick left of the level lands left of
// the miniature rather than on its edge.
int64_t quarter(int64_t offset) {
  return offset >= 0 ? offset / BrowserPreviewScale
                     : -((-offset + BrowserPreviewScale - 1) / BrowserPreviewScale);
}

// Every brick at a quarter of its place in the level, in slot order like the full field.
// Bricks that a foreign file puts off the field are cut at the miniature's edge.
void drawMiniatureBricks(SDL_Surface *screen, SDL_Surface *miniatures,
                         const BrowserPreview &preview) {
  const Box &field = BrowserPreviewField;
  const int32_t count = bricksInUse(preview.brickCount);
  for (int32_t slot = 0; slot < count; ++slot) {
    const Brick &brick = preview.bricks[slot];
    const int64_t x = field.x + quarter(int64_t{brick.x} - LevelLeft);
    const int64_t y = field.y + quarter(int64_t{brick.y} - LevelTop);
    // Far-off bricks go before their place is narrowed to the library's 16-bit rectangle; the
    // others are cut at the miniature's edge.
    if (!hasBrickSprite(brick.type) || !fitsRectPosition(x) || !fitsRectPosition(y))
      continue;
    SDL_Rect source = miniatureRect(brick.type);
    SDL_Rect target = blitTarget(static_cast<int>(x), static_cast<int>(y));
    SDL_UpperBlit(miniatures, &source, screen, &target);
  }
}

// One line when it fits the column beside the names, else the author over the count.
void drawCaption(SDL_Surface *screen, TTF_Font *font, const BrowserPreview &preview) {
  const Box &column = BrowserPreviewColumn;
  if (font == nullptr)
    return;
  const std::string caption = previewCaption(preview.author, preview.brickCount);
  int width = 0;
  int height = 0;
  if (TTF_SizeText(font, caption.c_str(), &width, &height) == 0 && width <= column.w) {
    drawText(screen, font, caption, White, column.x, column.y);
    return;
  }
  drawText(screen, font, previewAuthorText(preview.author), White, column.x, column.y);
  drawText(screen, font, previewCountText(preview.brickCount), White, column.x,
           column.y + BrowserRowStep);
}

void drawUnreadable(SDL_Surface *screen, TTF_Font *font) {
  const Box &field = BrowserPreviewField;
  int width = 0;
  int height = 0;
  if (font == nullptr || TTF_SizeText(font, UnreadableText, &width, &height) != 0)
    return;
  drawText(screen, font, UnreadableText, White, field.x + (field.w - width) / 2,
           field.y + (field.h - height) / 2);
}

} // namespace

void drawBrowserPreview(const RenderResources &resources, const Editor &editor) {
  const BrowserPreview *preview = shownBrowserPreview(editor);
  if (preview == nullptr)
    return;
  SDL_Surface *screen = resources.screen;
  const Box &field = BrowserPreviewField;
  // The field's grey is the dialog's: an outline shows where the level ends.
  fillBox(screen, Box{field.x - 1, field.y - 1, field.w + 2, field.h + 2}, Black);
  fillBox(screen, field, Grey);
  if (!preview->readable) {
    drawUnreadable(screen, resources.font);
    return;
  }
  if (resources.miniatures != nullptr)
    clippedTo(screen, field, [&] { drawMiniatureBricks(screen, resources.miniatures, *preview); });
  clippedTo(screen, BrowserPreviewColumn, [&] { drawCaption(screen, resources.font, *preview); });
}
