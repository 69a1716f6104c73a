#include "editor/text_field.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

SDL_Event keyEvent(SDLKey symbol, uint16_t character, Uint8 type = SDL_KEYDOWN) {
  SDL_Event event{};
  event.type = type;
  event.key.type = type;
  event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
  event.key.keysym.sym = symbol;
  event.key.keysym.unicode = character;
  return event;
}

SDL_Event letter(char c) {
  // The symbol is the unshifted key; the character carries the case, as with Shift held.
  const char lower = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  return keyEvent(static_cast<SDLKey>(lower), static_cast<uint16_t>(static_cast<unsigned char>(c)));
}

constexpr SDL_Color White{255, 255, 255, 0};

class TextFieldTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    ASSERT_EQ(TTF_Init(), 0) << TTF_GetError();
    font = TTF_OpenFont(RUN_DIR "/comic.ttf", 16);
    ASSERT_NE(font, nullptr) << TTF_GetError();
  }
  static void TearDownTestSuite() {
    TTF_CloseFont(font);
    TTF_Quit();
  }

  void type(TextField &field, const std::string &text) {
    for (char c : text)
      field.handleKey(letter(c), font, White);
  }

  // Marks the field's image so that a fresh rendering would be noticed even if the library
  // handed back the same address.
  static void markSurface(SDL_Surface *surface) {
    SDL_LockSurface(surface);
    static_cast<Uint8 *>(surface->pixels)[0] = 0xA5;
    SDL_UnlockSurface(surface);
  }
  static bool stillMarked(SDL_Surface *surface) {
    SDL_LockSurface(surface);
    const bool marked = static_cast<Uint8 *>(surface->pixels)[0] == 0xA5;
    SDL_UnlockSurface(surface);
    return marked;
  }

  static TTF_Font *font;
};

TTF_Font *TextFieldTest::font = nullptr;

TEST_F(TextFieldTest, TypedKeysBuildTheTextAndItsWhiteImage) {
  TextField field;
  EXPECT_EQ(field.surface(), nullptr);
  type(field, "Niveau 1");
  EXPECT_EQ(field.text(), "Niveau 1");

  SDL_Surface *image = field.surface();
  ASSERT_NE(image, nullptr);
  SDL_Surface *expected = TTF_RenderText_Solid(font, "Niveau 1", White);
  ASSERT_NE(expected, nullptr);
  EXPECT_EQ(image->w, expected->w);
  EXPECT_EQ(image->h, expected->h);
  ASSERT_EQ(image->format->BitsPerPixel, 8);
  const SDL_Color ink = image->format->palette->colors[1];
  EXPECT_EQ(ink.r, 255);
  EXPECT_EQ(ink.g, 255);
  EXPECT_EQ(ink.b, 255);
  SDL_FreeSurface(expected);
}

TEST_F(TextFieldTest, SeventeenCharactersAtMostAndTheRefusedOneRendersNothing) {
  TextField field;
  type(field, "abcdefghijklmnop");
  ASSERT_EQ(field.text().size(), 16u);
  type(field, "Q");
  EXPECT_EQ(field.text(), "abcdefghijklmnopQ");

  SDL_Surface *image = field.surface();
  ASSERT_NE(image, nullptr);
  markSurface(image);
  type(field, "R");
  EXPECT_EQ(field.text(), "abcdefghijklmnopQ");
  EXPECT_EQ(field.surface(), image);
  EXPECT_TRUE(stillMarked(field.surface()));

  // Backspace still works at the limit, and renders the shorter text.
  field.handleKey(keyEvent(SDLK_BACKSPACE, 8), font, White);
  EXPECT_EQ(field.text(), "abcdefghijklmnop");
  ASSERT_NE(field.surface(), nullptr);
  EXPECT_FALSE(field.surface() == image && stillMarked(field.surface()));
}

TEST_F(TextFieldTest, RefusedKeysChangeNothingAndRenderNothing) {
  struct Key {
    SDLKey symbol;
    uint16_t character;
  };
  const std::vector<Key> refused = {
      {static_cast<SDLKey>(50), 233}, // é on a French keyboard
      {static_cast<SDLKey>(48), 224}, // à
      {SDLK_MINUS, '-'},
      {SDLK_MINUS, '_'},
      {SDLK_PERIOD, '.'},
      {SDLK_RETURN, 13},
      {SDLK_KP_ENTER, 13},
      {SDLK_ESCAPE, 27},
      {SDLK_TAB, 9},
      {SDLK_LEFT, 0},
      {SDLK_RIGHT, 0},
      {SDLK_UP, 0},
      {SDLK_DOWN, 0},
      {SDLK_LSHIFT, 0},
  };
  TextField field;
  type(field, "Ab");
  SDL_Surface *image = field.surface();
  ASSERT_NE(image, nullptr);
  markSurface(image);
  for (const Key &key : refused) {
    field.handleKey(keyEvent(key.symbol, key.character), font, White);
    EXPECT_EQ(field.text(), "Ab") << "character " << key.character;
    EXPECT_EQ(field.surface(), image) << "character " << key.character;
  }
  EXPECT_TRUE(stillMarked(image));
}

TEST_F(TextFieldTest, KeyReleasesAreIgnored) {
  TextField field;
  type(field, "x");
  SDL_Surface *image = field.surface();
  markSurface(image);
  field.handleKey(keyEvent(SDLK_a, 'a', SDL_KEYUP), font, White);
  field.handleKey(keyEvent(SDLK_BACKSPACE, 8, SDL_KEYUP), font, White);
  EXPECT_EQ(field.text(), "x");
  EXPECT_EQ(field.surface(), image);
  EXPECT_TRUE(stillMarked(image));
}

TEST_F(TextFieldTest, RemovingTheLastCharacterLeavesNoImage) {
  TextField field;
  type(field, "Z");
  ASSERT_NE(field.surface(), nullptr);
  field.handleKey(keyEvent(SDLK_BACKSPACE, 8), font, White);
  EXPECT_EQ(field.text(), "");
  EXPECT_EQ(field.surface(), nullptr);
  // Backspace on the empty field: still nothing, and nothing to render.
  field.handleKey(keyEvent(SDLK_BACKSPACE, 8), font, White);
  EXPECT_EQ(field.text(), "");
  EXPECT_EQ(field.surface(), nullptr);
}

TEST(ApplyKey, ReportsChangesOnly) {
  std::string text;
  EXPECT_FALSE(applyKey(text, 8, SDLK_BACKSPACE));
  EXPECT_TRUE(applyKey(text, 'W', SDLK_w));
  EXPECT_TRUE(applyKey(text, '0', SDLK_0));
  EXPECT_TRUE(applyKey(text, ' ', SDLK_SPACE));
  EXPECT_TRUE(applyKey(text, '9', SDLK_9));
  EXPECT_EQ(text, "W0 9");
  // Characters just outside the accepted ranges.
  for (uint16_t refused : std::vector<uint16_t>{'/', ':', '@', '[', '`', '{', 0x100 + 'a'})
    EXPECT_FALSE(applyKey(text, refused, SDLK_UNKNOWN)) << refused;
  EXPECT_EQ(text, "W0 9");
  EXPECT_TRUE(applyKey(text, 8, SDLK_BACKSPACE));
  EXPECT_EQ(text, "W0 ");
}

} // namespace
