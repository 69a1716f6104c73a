#include "editor/text_field.h"

namespace {

// Level names become file names, so only characters that are safe everywhere are taken.
bool acceptedCharacter(uint16_t character) {
  return character == ' ' || (character >= '0' && character <= '9') ||
         (character >= 'A' && character <= 'Z') || (character >= 'a' && character <= 'z');
}

} // namespace

Key letterKey(char lowercase) {
  switch (lowercase) {
  case 'a':
    return Key::A;
  case 'c':
    return Key::C;
  case 'm':
    return Key::M;
  case 'o':
    return Key::O;
  case 's':
    return Key::S;
  case 't':
    return Key::T;
  case 'v':
    return Key::V;
  case 'x':
    return Key::X;
  case 'y':
    return Key::Y;
  case 'z':
    return Key::Z;
  default:
    return Key::Other;
  }
}

void applyKey(std::string &text, uint16_t character, Key key) {
  if (text.size() < TextFieldMaxLength && acceptedCharacter(character))
    text.push_back(static_cast<char>(character));
  // Backspace translates to 8, which is refused above, so one key never adds and removes.
  if (key == Key::Backspace && !text.empty())
    text.pop_back();
}

void TextField::fill(const std::string &text) {
  text_.clear();
  for (const char character : text)
    applyKey(text_, static_cast<unsigned char>(character), Key::Other);
  if (text_ != text)
    text_.clear();
}
