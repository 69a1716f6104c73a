#pragma once
// A one-line text entry for the level's and the author's names: at most 17 characters, each
// a blank, a digit or an unaccented Latin letter. Only the rules live here; the frame renders
// the text.

#include <cstddef>
#include <cstdint>
#include <string>

constexpr std::size_t TextFieldMaxLength = 17;

// The keys the editor tells apart; every other key, the keypad's Enter among them, is Other and
// counts only by its character.
enum class Key {
  Other,
  Return,
  Escape,
  Backspace,
  Delete,
  Space,
  Up,
  Down,
  Left,
  Right,
  PageUp,
  PageDown,
  F1,
  A,
  C,
  M,
  O,
  S,
  T,
  V,
  X,
  Y,
  Z,
};

// The key of a letter by its lower-case character, whatever the modifiers; Other for a letter
// the editor does not tell apart, or any other character.
Key letterKey(char lowercase);

// What one key does to a text: appends the translated character when it is accepted and the
// text is short enough; removes the last character on Backspace.
void applyKey(std::string &text, uint16_t character, Key key);

class TextField {
public:
  void handleKey(Key key, uint16_t character) { applyKey(text_, character, key); }
  const std::string &text() const { return text_; }
  // Holds text when typing it could have put it there, else nothing: a name the field cannot
  // hold is never shown altered, so that confirming it cannot save under another name.
  void fill(const std::string &text);

private:
  std::string text_;
};
