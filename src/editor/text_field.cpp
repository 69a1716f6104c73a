#include "editor/text_field.h"

namespace {

// Level names become file names, so only characters that are safe everywhere are taken.
bool acceptedCharacter(uint16_t character) {
  return character == ' ' || (character >= '0' && character <= '9') ||
         (character >= 'A' && character <= 'Z') || (character >= 'a' && character <= 'z');
}

} // namespace

bool applyKey(std::string &text, uint16_t character, SDLKey symbol) {
  const std::string before = text;
  if (text.size() < TextFieldMaxLength && acceptedCharacter(character))
    text.push_back(static_cast<char>(character));
  // Backspace translates to 8, which is refused above, so one key never adds and removes.
  if (symbol == SDLK_BACKSPACE && !text.empty())
    text.pop_back();
  return text != before;
}

TextField::TextField() {
  SDL_EnableUNICODE(1);
}

TextField::~TextField() {
  SDL_FreeSurface(surface_);
  SDL_EnableUNICODE(0);
}

void TextField::handleKey(SDL_Event event, TTF_Font *font, SDL_Color colour) {
  if (event.type != SDL_KEYDOWN)
    return;
  if (!applyKey(text_, event.key.keysym.unicode, event.key.keysym.sym))
    return;
  SDL_FreeSurface(surface_);
  // The empty text renders to no image; a failed rendering also leaves none, and the next
  // change tries again.
  surface_ = TTF_RenderText_Solid(font, text_.c_str(), colour);
}
