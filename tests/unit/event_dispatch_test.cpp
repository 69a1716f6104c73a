#include "editor/event_dispatch.h"

#include "editor/screen_layout.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

SDL_Event keyDown(SDLKey symbol, uint16_t character) {
  SDL_Event event{};
  event.type = SDL_KEYDOWN;
  event.key.type = SDL_KEYDOWN;
  event.key.state = SDL_PRESSED;
  event.key.keysym.sym = symbol;
  event.key.keysym.unicode = character;
  return event;
}

SDL_Event returnKey() {
  return keyDown(SDLK_RETURN, 13);
}

SDL_Event mouseButton(Uint8 type, Uint8 button, int x, int y) {
  SDL_Event event{};
  event.type = type;
  event.button.type = type;
  event.button.button = button;
  event.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
  event.button.x = static_cast<Uint16>(x);
  event.button.y = static_cast<Uint16>(y);
  return event;
}

SDL_Event press(Uint8 button, int x, int y) {
  return mouseButton(SDL_MOUSEBUTTONDOWN, button, x, y);
}
SDL_Event release(Uint8 button, int x, int y) {
  return mouseButton(SDL_MOUSEBUTTONUP, button, x, y);
}

SDL_Event motion(int x, int y) {
  SDL_Event event{};
  event.type = SDL_MOUSEMOTION;
  event.motion.type = SDL_MOUSEMOTION;
  event.motion.x = static_cast<Uint16>(x);
  event.motion.y = static_cast<Uint16>(y);
  return event;
}

SDL_Event quitEvent() {
  SDL_Event event{};
  event.type = SDL_QUIT;
  return event;
}

// A point inside the level area, where a left press lays the pattern.
constexpr int LevelX = 300;
constexpr int LevelY = 200;
// The middle of "Ouvrir niveau".
constexpr int OpenX = (OpenRegion.left + OpenRegion.right) / 2;
constexpr int OpenY = (OpenRegion.top + OpenRegion.bottom) / 2;

class DispatchTest : public ::testing::Test {
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

  void dispatch(const SDL_Event &event) { dispatchEvent(event, *editor, font); }
  void typeText(const std::string &text) {
    for (char c : text)
      dispatch(keyDown(static_cast<SDLKey>(c), static_cast<uint16_t>(c)));
  }

  static TTF_Font *font;
  std::unique_ptr<Editor> editor = std::make_unique<Editor>();
};

TTF_Font *DispatchTest::font = nullptr;

// Runs the test inside a fresh working directory with an empty niv/, since saving and
// listing use paths relative to it.
class DispatchInWorkDirTest : public DispatchTest {
protected:
  void SetUp() override {
    char pattern[] = "/tmp/brickedit-dispatch-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    workDir = pattern;
    fs::create_directory(workDir / "niv");
    previousDir = fs::current_path();
    fs::current_path(workDir);
  }
  void TearDown() override {
    fs::current_path(previousDir);
    std::error_code ignored;
    fs::remove_all(workDir, ignored);
  }

  fs::path workDir;
  fs::path previousDir;
};

bool sameEditing(const Editor &a, const Editor &b) {
  return std::memcmp(&a.state, &b.state, sizeof a.state) == 0 &&
         std::memcmp(&a.bricks, &b.bricks, sizeof a.bricks) == 0 && a.selection == b.selection &&
         a.currentBrickType == b.currentBrickType;
}

TEST_F(DispatchTest, ReturnCompletesTheLevelNameOnlyWhenItHoldsText) {
  editor->state.mode = EnteringLevelName;
  dispatch(returnKey());
  EXPECT_EQ(editor->state.mode, EnteringLevelName);
  EXPECT_EQ(editor->levelNameField.text(), "");

  typeText("ab");
  // The keypad's Enter carries character 13 as Return does, but completes nothing.
  dispatch(keyDown(SDLK_KP_ENTER, 13));
  EXPECT_EQ(editor->state.mode, EnteringLevelName);

  dispatch(returnKey());
  EXPECT_EQ(editor->state.mode, EnteringAuthorName);
  EXPECT_EQ(editor->levelNameField.text(), "ab");

  // The author's name goes to its own field; an empty one is not completed either.
  dispatch(returnKey());
  EXPECT_EQ(editor->state.mode, EnteringAuthorName);
  typeText("Cd");
  EXPECT_EQ(editor->authorField.text(), "Cd");
  EXPECT_EQ(editor->levelNameField.text(), "ab");
  dispatch(keyDown(SDLK_KP_ENTER, 13));
  EXPECT_EQ(editor->state.mode, EnteringAuthorName);
}

TEST_F(DispatchTest, KeysOutsideTheNameDialogsOnlyQuit) {
  for (int32_t mode : {Editing, BrowsingLevels}) {
    editor = std::make_unique<Editor>();
    editor->state.mode = mode;
    typeText("ab");
    dispatch(returnKey());
    EXPECT_EQ(editor->state.mode, mode);
    EXPECT_EQ(editor->levelNameField.text(), "");
    EXPECT_EQ(editor->authorField.text(), "");
    EXPECT_FALSE(editor->quitRequested);
    dispatch(keyDown(SDLK_ESCAPE, 27));
    EXPECT_TRUE(editor->quitRequested);
  }
}

TEST_F(DispatchInWorkDirTest, ReturnAfterEscapeInTheSamePassStillSaves) {
  editor->state.mode = EnteringLevelName;
  typeText("Niveau 1");
  dispatch(returnKey());
  typeText("Moi");
  editor->bricks[0] = Brick{100, 100, 3};
  editor->state.brickCount = 1;

  dispatch(keyDown(SDLK_ESCAPE, 27));
  EXPECT_TRUE(editor->quitRequested);
  // The field got the Escape and ignored it: the dialog is still open.
  EXPECT_EQ(editor->state.mode, EnteringAuthorName);
  EXPECT_EQ(editor->authorField.text(), "Moi");

  dispatch(returnKey());
  EXPECT_EQ(editor->state.mode, Editing);
  EXPECT_EQ(editor->levelNameField.text(), "Niveau 1");
  EXPECT_EQ(editor->authorField.text(), "Moi");
  std::ifstream saved(workDir / "niv" / "Niveau 1.lvbk", std::ios::binary);
  ASSERT_TRUE(saved.is_open());
  std::string content((std::istreambuf_iterator<char>(saved)), std::istreambuf_iterator<char>());
  EXPECT_EQ(content, "1\r\n100;100;3\r\nMoi");
}

TEST_F(DispatchTest, WheelStepsTheBrickTypeWithWrapAround) {
  struct Step {
    int32_t from;
    Uint8 button;
    int32_t to;
  };
  for (const Step &step : {Step{24, SDL_BUTTON_WHEELDOWN, 1}, Step{1, SDL_BUTTON_WHEELUP, 24},
                           Step{0, SDL_BUTTON_WHEELDOWN, 1}, Step{0, SDL_BUTTON_WHEELUP, 24},
                           Step{7, SDL_BUTTON_WHEELDOWN, 8}, Step{7, SDL_BUTTON_WHEELUP, 6}}) {
    editor->currentBrickType = step.from;
    // Only the release of a wheel button acts; its press does nothing.
    dispatch(press(step.button, LevelX, LevelY));
    EXPECT_EQ(editor->currentBrickType, step.from);
    dispatch(release(step.button, LevelX, LevelY));
    EXPECT_EQ(editor->currentBrickType, step.to) << "from " << step.from;
  }
  EXPECT_EQ(editor->state.brickCount, 0);
}

TEST_F(DispatchTest, WheelScrollsTheBrowserWithinTheList) {
  editor->state.mode = BrowsingLevels;
  for (int i = 0; i < 15; ++i)
    editor->levelList.push_back("level" + std::to_string(i) + ".lvbk");
  for (int i = 0; i < 8; ++i)
    dispatch(release(SDL_BUTTON_WHEELDOWN, 500, 350));
  EXPECT_EQ(editor->state.browserScroll, 5);
  for (int i = 0; i < 8; ++i)
    dispatch(release(SDL_BUTTON_WHEELUP, 500, 350));
  EXPECT_EQ(editor->state.browserScroll, 0);
  EXPECT_EQ(editor->currentBrickType, 1);
}

TEST_F(DispatchTest, ClicksAndWheelDoNothingInTheNameDialogs) {
  // In Editing the same press lays a brick: the dialogs must be what stops it.
  dispatch(press(SDL_BUTTON_LEFT, LevelX, LevelY));
  ASSERT_EQ(editor->state.brickCount, 1);

  for (int32_t mode : {EnteringLevelName, EnteringAuthorName}) {
    editor = std::make_unique<Editor>();
    editor->state.mode = mode;
    const auto before = std::make_unique<Editor>();
    before->state.mode = mode;
    for (Uint8 button : {SDL_BUTTON_LEFT, SDL_BUTTON_RIGHT, SDL_BUTTON_MIDDLE, SDL_BUTTON_WHEELUP,
                         SDL_BUTTON_WHEELDOWN}) {
      dispatch(press(button, LevelX, LevelY));
      dispatch(release(button, LevelX, LevelY));
      // Over "Ouvrir niveau" too: no browser may open from a dialog.
      dispatch(press(button, OpenX, OpenY));
      dispatch(release(button, OpenX, OpenY));
    }
    EXPECT_TRUE(sameEditing(*editor, *before)) << "mode " << mode;
    EXPECT_TRUE(editor->levelList.empty());
  }
}

TEST_F(DispatchTest, MiddleButtonDoesNothingInEditing) {
  const auto before = std::make_unique<Editor>();
  dispatch(press(SDL_BUTTON_MIDDLE, LevelX, LevelY));
  dispatch(release(SDL_BUTTON_MIDDLE, LevelX, LevelY));
  dispatch(press(SDL_BUTTON_MIDDLE, OpenX, OpenY));
  dispatch(release(SDL_BUTTON_MIDDLE, OpenX, OpenY));
  EXPECT_TRUE(sameEditing(*editor, *before));
}

TEST_F(DispatchTest, OnlyMouseEventsMoveThePointer) {
  dispatch(motion(10, 20));
  EXPECT_EQ(editor->mouseX, 10);
  EXPECT_EQ(editor->mouseY, 20);
  dispatch(press(SDL_BUTTON_MIDDLE, 30, 40));
  EXPECT_EQ(editor->mouseX, 30);
  EXPECT_EQ(editor->mouseY, 40);
  editor->state.mode = EnteringLevelName;
  dispatch(release(SDL_BUTTON_LEFT, 1000, 700));
  EXPECT_EQ(editor->mouseX, 1000);
  EXPECT_EQ(editor->mouseY, 700);

  dispatch(keyDown(SDLK_a, 'a'));
  dispatch(returnKey());
  dispatch(quitEvent());
  SDL_Event other{};
  other.type = SDL_ACTIVEEVENT;
  dispatch(other);
  EXPECT_EQ(editor->mouseX, 1000);
  EXPECT_EQ(editor->mouseY, 700);
  // The pointer drawn is taken by the loop at the start of a pass, never here.
  EXPECT_EQ(editor->pointerX, 0);
  EXPECT_EQ(editor->pointerY, 0);
}

TEST_F(DispatchTest, MotionReachesTheHelpLineInEveryMode) {
  for (int32_t mode : {Editing, EnteringLevelName, EnteringAuthorName, BrowsingLevels}) {
    editor = std::make_unique<Editor>();
    editor->state.mode = mode;
    dispatch(motion(LevelX, LevelY));
    EXPECT_NE(editor->helpText, "...") << "mode " << mode;
  }
}

TEST_F(DispatchTest, LeftReleaseEndsThePlacementDragInEveryMode) {
  // (1000, 750) lies outside every click region and the browser's list.
  for (int32_t mode : {Editing, EnteringLevelName, EnteringAuthorName, BrowsingLevels}) {
    editor = std::make_unique<Editor>();
    editor->state.mode = mode;
    editor->state.painting = 1;
    dispatch(release(SDL_BUTTON_RIGHT, 1000, 750));
    dispatch(release(SDL_BUTTON_WHEELDOWN, 1000, 750));
    EXPECT_EQ(editor->state.painting, 1) << "mode " << mode;
    dispatch(release(SDL_BUTTON_LEFT, 1000, 750));
    EXPECT_EQ(editor->state.painting, 0) << "mode " << mode;
    EXPECT_EQ(editor->state.mode, mode);
  }
}

TEST_F(DispatchInWorkDirTest, OpeningTheBrowserListsTheLevelsAndKeepsTheScrollInRange) {
  std::ofstream(workDir / "niv" / "un.lvbk") << "0\r\nMoi";
  std::ofstream(workDir / "niv" / "notes.txt") << "x";
  editor->state.browserScroll = 7;
  dispatch(press(SDL_BUTTON_LEFT, OpenX, OpenY));
  dispatch(release(SDL_BUTTON_LEFT, OpenX, OpenY));
  EXPECT_EQ(editor->state.mode, BrowsingLevels);
  ASSERT_EQ(editor->levelList.size(), 1u);
  EXPECT_EQ(editor->levelList[0], "un.lvbk");
  // One name fits on the first page: a scroll kept from a longer list would show nothing.
  EXPECT_EQ(editor->state.browserScroll, 0);
}

TEST_F(DispatchTest, ClosingTheWindowRequestsQuit) {
  dispatch(quitEvent());
  EXPECT_TRUE(editor->quitRequested);
}

TEST(FrameDue, OnlyAfterMoreThan25Milliseconds) {
  EXPECT_FALSE(frameDue(1025, 1000));
  EXPECT_TRUE(frameDue(1026, 1000));
  EXPECT_FALSE(frameDue(1000, 1000));
  // Across the wrap of the 32-bit tick counter.
  EXPECT_FALSE(frameDue(9, 0xFFFFFFF0u));
  EXPECT_TRUE(frameDue(10, 0xFFFFFFF0u));
}

} // namespace
