#include "editor/app/event_loop.h"

#include "editor/app/quit_signal.h"
#include "editor/app/sdl_input.h"
#include "editor/control/handle_input.h"
#include "editor/saved_level.h"
#include "render/frame.h"
#include "storage/level_preview.h"

#include <string>
#include <utility>

namespace {

// The window's title names the level and marks unsaved work; the library is told only when it
// changes.
void showTitle(const Editor &editor, std::string &shown) {
  std::string title = windowTitle(editor);
  if (title == shown)
    return;
  SDL_WM_SetCaption(title.c_str(), title.c_str());
  shown = std::move(title);
}

} // namespace

void runEventLoop(const RenderResources &resources, Editor &editor, RecoveryCopy &recovery,
                  uint32_t lastFrameTicks) {
  // A frame is drawn from the editor and the pointer alone: while no event has been handled
  // since the last frame and the pointer is where that frame drew it, the next frame would be
  // the same pixels, so it is skipped.
  // The first frame is due whatever the pointer.
  bool handledSinceFrame = true;
  int32_t drawnPointerX = editor.pointerX;
  int32_t drawnPointerY = editor.pointerY;
  std::string shownTitle;
  SDLMod modifiers = KMOD_NONE;
  SDL_Event event;
  do {
    // Events polled below count for the next pass: the frame shows where the pointer stood
    // when this pass began.
    editor.pointerX = editor.mouseX;
    editor.pointerY = editor.mouseY;
    bool handled = false;
    while (SDL_PollEvent(&event)) {
      dispatchEvent(event, modifiers, editor);
      noteHeldButtons(recovery.schedule, toInputEvent(event, modifiers));
      handled = true;
    }
    // A hang-up ends the run as a quit does.
    if (quitSignalled())
      editor.quitRequested = true;
    handledSinceFrame = handledSinceFrame || handled;
    const uint32_t now = SDL_GetTicks();
    tendRecoveryCopy(recovery, editor, now);
    if (frameDue(now, lastFrameTicks)) {
      if (handledSinceFrame || editor.pointerX != drawnPointerX ||
          editor.pointerY != drawnPointerY) {
        // The level under the pointer is read here, once per name the pointer comes onto:
        // it changes only with the pointer and the events that already call for a frame.
        refreshBrowserPreview(editor.browserPreview, editor);
        drawFrame(resources, editor);
        // Only events change the title, and each one calls for a frame; the first frame names
        // the window.
        showTitle(editor, shownTitle);
        handledSinceFrame = false;
        drawnPointerX = editor.pointerX;
        drawnPointerY = editor.pointerY;
      }
      lastFrameTicks = now;
    }
    // Idle: a millisecond's sleep keeps the editor quiet and delays the next event by at most
    // about that much.
    if (!handled)
      SDL_Delay(1);
  } while (!editor.quitRequested);
}
