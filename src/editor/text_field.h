#pragma once
// A one-line text entry for the level's and the author's names: at most 17 characters, each
// a blank, a digit or an unaccented Latin letter, with the rendered image of the text.

#include <SDL.h>
#include <SDL_ttf.h>
#include <string>

constexpr std::size_t TextFieldMaxLength = 17;

// What one key does to a text, without any rendering: appends the translated character when
// it is accepted and the text is short enough; removes the last character on Backspace.
// Returns whether the text changed.
bool applyKey(std::string &text, uint16_t character, SDLKey symbol);

class TextField {
public:
  // Turns the library's translation of keys to characters on.
  TextField();
  // Frees the image and turns key translation off (one switch shared by all fields).
  ~TextField();
  TextField(const TextField &) = delete;
  TextField &operator=(const TextField &) = delete;

  // Only key presses count. Renders the text again only when the key changed it.
  void handleKey(SDL_Event event, TTF_Font *font, SDL_Color colour);

  const std::string &text() const { return text_; }
  // The rendered text; none before the first change, for an empty text, or when rendering
  // failed.
  SDL_Surface *surface() const { return surface_; }

private:
  std::string text_;
  SDL_Surface *surface_ = nullptr;
};
