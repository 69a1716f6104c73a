#include "render/dialog_overlay.h"

#include "render/browser_preview_panel.h"
#include "render/draw_primitives.h"
#include "render/sprite_sheet.h"
#include "storage/browser_highlight.h"
#include "storage/level_browser.h"

namespace {

constexpr char LevelNamePrompt[] = "Saisissez le nom de votre niveau :";
constexpr char AuthorPrompt[] = "Saisissez votre nom :";

} // namespace

// The picture, already drawn on backSurface, mixed at 128 over black, which gives every channel
// exactly half its value, rounded down. With 32-bit pixels of 8-bit channels that is one shift
// and mask a pixel, five times cheaper than the library's mixing blit, with the same pixels.
void dimScreen(SDL_Surface *screen, SDL_Surface *backSurface) {
  if (backSurface == nullptr)
    return;
  const SDL_PixelFormat *from = backSurface->format, *to = screen->format;
  const bool halvable = from->BitsPerPixel == 32 && to->BitsPerPixel == 32 &&
                        from->Rmask == to->Rmask && from->Gmask == to->Gmask &&
                        from->Bmask == to->Bmask && from->Rloss == 0 && from->Gloss == 0 &&
                        from->Bloss == 0 && backSurface->w == screen->w &&
                        backSurface->h == screen->h;
  if (!halvable || SDL_LockSurface(screen) != 0) {
    SDL_SetAlpha(backSurface, SDL_SRCALPHA, HalfAlpha);
    SDL_FillRect(screen, nullptr, mapColour(screen, Black));
    SDL_UpperBlit(backSurface, nullptr, screen, nullptr);
    return;
  }
  SDL_LockSurface(backSurface);
  for (int y = 0; y < screen->h; ++y) {
    const Uint32 *source = reinterpret_cast<const Uint32 *>(
        static_cast<const Uint8 *>(backSurface->pixels) + y * backSurface->pitch);
    Uint32 *target =
        reinterpret_cast<Uint32 *>(static_cast<Uint8 *>(screen->pixels) + y * screen->pitch);
    for (int x = 0; x < screen->w; ++x)
      target[x] = (source[x] >> 1) & 0x7f7f7f7f;
  }
  SDL_UnlockSurface(backSurface);
  SDL_UnlockSurface(screen);
}

namespace {

// The highlighted name is red: the one previewed and the one Return opens.
void drawLevelNames(SDL_Surface *screen, TTF_Font *font, const Editor &editor) {
  const VisibleNames names = visibleLevelNames(editor.levelList.size(), editor.state.browserScroll);
  const int64_t highlighted = highlightedLevel(editor);
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
  TTF_Font *font = resources.font;
  dimScreen(screen, resources.backSurface);
  fillBox(screen, DialogBox, Grey);
  const int32_t mode = editor.state.mode;
  // The fields' texts are rendered like every other text of the frame: the same pixels as an
  // image kept by the field.
  if (mode == EnteringLevelName || mode == EnteringAuthorName) {
    drawText(screen, font, LevelNamePrompt, White, DialogTextLeft, LevelNamePromptTop);
    drawText(screen, font, editor.levelNameField.text(), White, DialogTextLeft, LevelNameFieldTop);
  }
  if (mode == EnteringAuthorName) {
    drawText(screen, font, AuthorPrompt, White, DialogTextLeft, AuthorPromptTop);
    drawText(screen, font, editor.authorField.text(), White, DialogTextLeft, AuthorFieldTop);
  }
  if (mode == BrowsingLevels) {
    // The preview first: however long a name, it is drawn over the preview, never under it.
    drawBrowserPreview(resources, editor);
    drawLevelNames(screen, font, editor);
  }
}
