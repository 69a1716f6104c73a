#include "render/dialog_overlay.h"

#include "render/draw_primitives.h"
#include "render/render_layout.h"
#include "storage/level_browser.h"

namespace {

// Half intensity everywhere: the picture, already drawn on backSurface, is mixed at 128 over
// black.
void dimScreen(SDL_Surface *screen, SDL_Surface *backSurface) {
  if (backSurface == nullptr)
    return;
  SDL_SetAlpha(backSurface, SDL_SRCALPHA, 128);
  SDL_FillRect(screen, nullptr, mapColour(screen, Black));
  SDL_UpperBlit(backSurface, nullptr, screen, nullptr);
}

// The field's own rendered text; it belongs to the field and is not freed here.
void drawField(SDL_Surface *screen, SDL_Surface *field, int top) {
  if (field == nullptr)
    return;
  SDL_Rect at{DialogTextLeft, static_cast<Sint16>(top), 0, 0};
  SDL_UpperBlit(field, nullptr, screen, &at);
}

void drawLevelNames(SDL_Surface *screen, TTF_Font *font, const Editor &editor) {
  const VisibleNames names = visibleLevelNames(editor.levelList.size(), editor.state.browserScroll);
  // Truncating toward zero, as the pick does, so the strip just above the first row still
  // highlights the first name; the pointer's x plays no part.
  const int64_t highlighted = int64_t{editor.state.browserScroll} +
                              (int64_t{editor.pointerY} - BrowserRowTop) / BrowserRowStep;
  for (std::size_t index = names.first; index < names.end; ++index) {
    const int row = static_cast<int>(index - names.first);
    drawText(screen, font, editor.levelList[index],
             static_cast<int64_t>(index) == highlighted ? Red : White, BrowserRowLeft,
             BrowserRowTop + BrowserRowStep * row);
  }
}

} // namespace

void drawDialogOverlay(const RenderResources &resources, const Editor &editor) {
  SDL_Surface *screen = resources.screen;
  dimScreen(screen, resources.backSurface);
  fillBox(screen, DialogLeft, DialogTop, DialogWidth, DialogHeight, Grey);
  const int32_t mode = editor.state.mode;
  if (mode == EnteringLevelName || mode == EnteringAuthorName) {
    drawText(screen, resources.font, LevelNamePrompt, White, DialogTextLeft, LevelNamePromptTop);
    drawField(screen, editor.levelNameField.surface(), LevelNameFieldTop);
  }
  if (mode == EnteringAuthorName) {
    drawText(screen, resources.font, AuthorPrompt, White, DialogTextLeft, AuthorPromptTop);
    drawField(screen, editor.authorField.surface(), AuthorFieldTop);
  }
  if (mode == BrowsingLevels)
    drawLevelNames(screen, resources.font, editor);
}
