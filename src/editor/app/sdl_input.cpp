#include "editor/app/sdl_input.h"

#include "editor/control/handle_input.h"

namespace {

Key keyOf(SDLKey symbol) {
  switch (symbol) {
  case SDLK_RETURN:
    return Key::Return;
  case SDLK_ESCAPE:
    return Key::Escape;
  case SDLK_BACKSPACE:
    return Key::Backspace;
  case SDLK_z:
    return Key::Z;
  case SDLK_y:
    return Key::Y;
  case SDLK_m:
    return Key::M;
  default:
    return Key::Other;
  }
}

} // namespace

InputEvent toInputEvent(const SDL_Event &event) {
  InputEvent input;
  switch (event.type) {
  case SDL_KEYDOWN:
    input.kind = InputKind::KeyDown;
    input.key = keyOf(event.key.keysym.sym);
    input.character = event.key.keysym.unicode;
    input.ctrl = (event.key.keysym.mod & KMOD_CTRL) != 0;
    input.shift = (event.key.keysym.mod & KMOD_SHIFT) != 0;
    break;
  case SDL_MOUSEMOTION:
    input.kind = InputKind::Motion;
    input.x = event.motion.x;
    input.y = event.motion.y;
    break;
  case SDL_MOUSEBUTTONDOWN:
  case SDL_MOUSEBUTTONUP:
    input.kind = event.type == SDL_MOUSEBUTTONDOWN ? InputKind::ButtonDown : InputKind::ButtonUp;
    input.x = event.button.x;
    input.y = event.button.y;
    input.button = event.button.button;
    break;
  case SDL_QUIT:
    input.kind = InputKind::Quit;
    break;
  default:
    break;
  }
  return input;
}

void dispatchEvent(const SDL_Event &event, Editor &editor) {
  handleInput(toInputEvent(event), editor);
}
