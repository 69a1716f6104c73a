#pragma once
// Keyboard events as the library delivers them, and the editor's font for the text tests.

#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_ttf.h>

inline SDL_Event keyEvent(SDLKey symbol, uint16_t character, Uint8 type = SDL_KEYDOWN) {
  SDL_Event event{};
  event.type = event.key.type = type;
  event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
  event.key.keysym.sym = symbol;
  event.key.keysym.unicode = character;
  return event;
}

class WithFont : public ::testing::Test {
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
  static inline TTF_Font *font = nullptr;
};
