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
  case SDLK_DELETE:
    return Key::Delete;
  case SDLK_SPACE:
    return Key::Space;
  case SDLK_UP:
    return Key::Up;
  case SDLK_DOWN:
    return Key::Down;
  case SDLK_LEFT:
    return Key::Left;
  case SDLK_RIGHT:
    return Key::Right;
  case SDLK_PAGEUP:
    return Key::PageUp;
  case SDLK_PAGEDOWN:
    return Key::PageDown;
  case SDLK_F1:
    return Key::F1;
  default:
    // The library's symbols of the letters are their lower-case characters.
    return symbol >= SDLK_a && symbol <= SDLK_z ? letterKey(static_cast<char>(symbol)) : Key::Other;
  }
}

} // namespace

InputEvent toInputEvent(const SDL_Event &event, SDLMod &modifiers) {
  InputEvent input;
  // A key event carries the modifiers as they stood at it; the library's own state is read when
  // asked, which is too late for a burst of events drained in one pass.
  if (event.type == SDL_KEYDOWN || event.type == SDL_KEYUP)
    modifiers = event.key.keysym.mod;
  input.ctrl = (modifiers & KMOD_CTRL) != 0;
  input.shift = (modifiers & KMOD_SHIFT) != 0;
  switch (event.type) {
  case SDL_KEYDOWN:
    input.kind = InputKind::KeyDown;
    input.key = keyOf(event.key.keysym.sym);
    input.character = event.key.keysym.unicode;
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

void dispatchEvent(const SDL_Event &event, SDLMod &modifiers, Editor &editor) {
  handleInput(toInputEvent(event, modifiers), editor);
}
