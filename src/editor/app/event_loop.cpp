#include "editor/app/event_loop.h"

#include "editor/app/idle_wait.h"
#include "editor/app/quit_signal.h"
#include "editor/app/sdl_input.h"
#include "editor/control/frame_pacing.h"
#include "editor/control/handle_input.h"
#include "editor/control/play_input.h"
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
  const IdleWait idle{screenDisplay(), quitSignalFd()};
  // A frame is drawn from the editor and the pointer alone: while no event has been handled
  // since the last frame and the pointer is where that frame drew it, the next frame would be
  // the same pixels, so it is not drawn, and the loop sleeps until input.
  // The first frame is due whatever the pointer.
  bool handledSinceFrame = true;
  int32_t drawnPointerX = editor.pointerX;
  int32_t drawnPointerY = editor.pointerY;
  GamePhase drawnPhase = GamePhase::Waiting;
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
    // A game follows the clock; while its ball moves, or when it has just ended, it wants
    // frames of its own pace.
    if (editor.play)
      advancePlay(editor, now);
    const GamePhase played = editor.play ? phase(editor.play->game) : GamePhase::Waiting;
    const uint32_t interval = editor.play ? PlayingFrameMs : EditingFrameMs;
    bool frameWanted = handledSinceFrame || editor.pointerX != drawnPointerX ||
                       editor.pointerY != drawnPointerY || played == GamePhase::Moving ||
                       played != drawnPhase;
    if (frameWanted && frameDue(now, lastFrameTicks, interval)) {
      // The level under the pointer is read here, once per name the pointer comes onto: it
      // changes only with the pointer and the events that already call for a frame.
      refreshBrowserPreview(editor.browserPreview, editor);
      drawFrame(resources, editor);
      // Only events change the title, and each one calls for a frame; the first frame names
      // the window.
      showTitle(editor, shownTitle);
      handledSinceFrame = false;
      // A moving ball wants the next frame as much as this one.
      frameWanted = played == GamePhase::Moving;
      drawnPointerX = editor.pointerX;
      drawnPointerY = editor.pointerY;
      drawnPhase = played;
      lastFrameTicks = now;
    }
    if (!handled && !editor.quitRequested)
      waitForInput(idle, sleepMilliseconds(now, LoopDue{lastFrameTicks, interval, frameWanted,
                                                        recoveryCopyDue(recovery, now)}));
  } while (!editor.quitRequested);
}
