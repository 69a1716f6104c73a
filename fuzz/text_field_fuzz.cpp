// Plays arbitrary key sequences through the text field's rules and compares each step with a
// plain model: a blank, a digit or an unaccented Latin letter is appended while the text holds
// at most 16 characters; Backspace removes the last character; nothing else changes the text.

#include "editor/text_field.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

bool acceptedCharacter(uint16_t character) {
  return character == ' ' || (character >= '0' && character <= '9') ||
         (character >= 'A' && character <= 'Z') || (character >= 'a' && character <= 'z');
}

Key symbolFrom(uint8_t byte) {
  return static_cast<Key>(byte % (static_cast<int>(Key::M) + 1));
}

void fail(const std::string &text, const std::string &model, const char *what) {
  std::fprintf(stderr, "text field: %s (text \"%s\", expected \"%s\")\n", what, text.c_str(),
               model.c_str());
  std::abort();
}

} // namespace

// Each key takes three bytes: the key symbol, then the translated character, low byte first.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  std::string text;
  std::string model;
  for (size_t at = 0; at + 3 <= size; at += 3) {
    Key symbol = symbolFrom(data[at]);
    uint16_t character = static_cast<uint16_t>(data[at + 1] | (data[at + 2] << 8));

    const std::string before = model;
    if (model.size() < TextFieldMaxLength && acceptedCharacter(character))
      model.push_back(static_cast<char>(character));
    if (symbol == Key::Backspace && !model.empty())
      model.pop_back();

    bool changed = applyKey(text, character, symbol);
    if (text != model)
      fail(text, model, "text differs from the rules");
    if (changed != (model != before))
      fail(text, model, "reported change is wrong");
    if (text.size() > TextFieldMaxLength)
      fail(text, model, "more than 17 characters");
    for (char c : text)
      if (!acceptedCharacter(static_cast<unsigned char>(c)))
        fail(text, model, "a refused character got in");
  }
  return 0;
}
