#include "editor/text_field.h"
#include "input_test_support.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

namespace {

constexpr SDL_Color White{255, 255, 255, 0};

class TextFieldTest : public WithFont {
protected:
  // The symbol is the unshifted key; the character carries the case, as with Shift held.
  void type(const std::string &text) {
    for (char c : text)
      field.handleKey(keyEvent(static_cast<SDLKey>(std::tolower(c)), static_cast<uint8_t>(c)), font,
                      White);
  }
  void backspace() { field.handleKey(keyEvent(SDLK_BACKSPACE, 8), font, White); }

  // Marks the image so that a fresh rendering would be noticed even at the same address.
  SDL_Surface *markImage() {
    SDL_Surface *image = field.surface();
    static_cast<Uint8 *>(image->pixels)[0] = 0xA5;
    return image;
  }
  bool imageUnchanged(SDL_Surface *marked) const {
    return field.surface() == marked && static_cast<Uint8 *>(marked->pixels)[0] == 0xA5;
  }

  TextField field;
};

TEST_F(TextFieldTest, TypedKeysWithShiftedCapitalsBuildTheTextAndItsWhiteImage) {
  EXPECT_EQ(field.surface(), nullptr);
  type("Niveau 1");
  EXPECT_EQ(field.text(), "Niveau 1");
  SDL_Surface *image = field.surface();
  SDL_Surface *expected = TTF_RenderText_Solid(font, "Niveau 1", White);
  ASSERT_TRUE(image != nullptr && expected != nullptr);
  EXPECT_EQ(image->w, expected->w);
  EXPECT_EQ(image->h, expected->h);
  ASSERT_EQ(image->format->BitsPerPixel, 8);
  const SDL_Color ink = image->format->palette->colors[1];
  EXPECT_TRUE(ink.r == 255 && ink.g == 255 && ink.b == 255);
  SDL_FreeSurface(expected);
}

TEST_F(TextFieldTest, SeventeenCharactersAtMostAndTheRefusedOneRendersNothing) {
  type("abcdefghijklmnopQ");
  EXPECT_EQ(field.text(), "abcdefghijklmnopQ");
  SDL_Surface *image = markImage();
  type("R");
  EXPECT_EQ(field.text(), "abcdefghijklmnopQ");
  EXPECT_TRUE(imageUnchanged(image));
  // Backspace still works at the limit, and renders the shorter text.
  backspace();
  EXPECT_EQ(field.text(), "abcdefghijklmnop");
  ASSERT_NE(field.surface(), nullptr);
  EXPECT_FALSE(imageUnchanged(image));
}

TEST_F(TextFieldTest, RefusedKeysAndReleasesChangeNothingAndRenderNothing) {
  // Key symbols with their characters; the first two are é and à on a French keyboard.
  const int refused[][2] = {{50, 233},           {48, 224},          {SDLK_MINUS, '-'},
                            {SDLK_MINUS, '_'},   {SDLK_PERIOD, '.'}, {SDLK_RETURN, 13},
                            {SDLK_KP_ENTER, 13}, {SDLK_ESCAPE, 27},  {SDLK_TAB, 9},
                            {SDLK_LEFT, 0},      {SDLK_LSHIFT, 0}};
  std::vector<SDL_Event> keys = {keyEvent(SDLK_a, 'a', SDL_KEYUP),
                                 keyEvent(SDLK_BACKSPACE, 8, SDL_KEYUP)};
  for (auto [symbol, character] : refused)
    keys.push_back(keyEvent(SDLKey(symbol), uint16_t(character)));
  type("Ab");
  SDL_Surface *image = markImage();
  for (const SDL_Event &key : keys) {
    field.handleKey(key, font, White);
    EXPECT_TRUE(field.text() == "Ab" && imageUnchanged(image)) << "key " << key.key.keysym.sym;
  }
}

TEST_F(TextFieldTest, RemovingTheLastCharacterLeavesNoImageAndBackspaceOnEmptyNothing) {
  type("Z");
  for (int press = 0; press < 2; ++press) {
    backspace();
    EXPECT_EQ(field.text(), "");
    EXPECT_EQ(field.surface(), nullptr);
  }
}

TEST(ApplyKey, ReportsChangesOnly) {
  std::string text;
  EXPECT_FALSE(applyKey(text, 8, SDLK_BACKSPACE));
  for (auto [character, symbol] :
       {std::pair{'W', SDLK_w}, {'0', SDLK_0}, {' ', SDLK_SPACE}, {'9', SDLK_9}})
    EXPECT_TRUE(applyKey(text, character, symbol)) << character;
  // Characters just outside the accepted ranges.
  for (uint16_t refused :
       std::initializer_list<uint16_t>{'/', ':', '@', '[', '`', '{', 0x100 + 'a'})
    EXPECT_FALSE(applyKey(text, refused, SDLK_UNKNOWN)) << refused;
  EXPECT_EQ(text, "W0 9");
  EXPECT_TRUE(applyKey(text, 8, SDLK_BACKSPACE));
  EXPECT_EQ(text, "W0 ");
}

} // namespace
