#include "editor/text_field.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(TextField, SeventeenAcceptedCharactersAtMostAndBackspaceRemovesTheLast) {
  TextField field;
  for (char c : std::string("Niveau 1abcdefghiQ"))
    field.handleKey(Key::Other, static_cast<uint8_t>(c));
  EXPECT_EQ(field.text(), "Niveau 1abcdefghi");
  EXPECT_TRUE(field.handleKey(Key::Backspace, 8));
  EXPECT_EQ(field.text(), "Niveau 1abcdefgh");
}

TEST(ApplyKey, ReportsChangesOnly) {
  std::string text;
  EXPECT_FALSE(applyKey(text, 8, Key::Backspace));
  for (char character : {'W', '0', ' ', '9', 'z', 'A'})
    EXPECT_TRUE(applyKey(text, character, Key::Other)) << character;
  // Characters just outside the accepted ranges, accents, and keys that complete or quit.
  for (uint16_t refused : std::initializer_list<uint16_t>{'/', ':', '@', '[', '`', '{', 0x100 + 'a',
                                                          233, 224, '-', '_', '.', 9})
    EXPECT_FALSE(applyKey(text, refused, Key::Other)) << refused;
  EXPECT_FALSE(applyKey(text, 13, Key::Return));
  EXPECT_FALSE(applyKey(text, 13, Key::KeypadEnter));
  EXPECT_FALSE(applyKey(text, 27, Key::Escape));
  EXPECT_EQ(text, "W0 9zA");
  EXPECT_TRUE(applyKey(text, 8, Key::Backspace));
  EXPECT_EQ(text, "W0 9z");
}

} // namespace
