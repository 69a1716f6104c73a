#include "editor/app/sdl_input.h"
#include "editor/control/handle_input.h"

#include "editor/screen_layout.h"
#include "input_test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

SDL_Event ofType(Uint8 type) {
  SDL_Event event{};
  event.type = type;
  return event;
}
SDL_Event button(Uint8 type, Uint8 which, int x, int y) {
  SDL_Event event = ofType(type);
  const Uint8 state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
  event.button = SDL_MouseButtonEvent{type, 0, which, state, Uint16(x), Uint16(y)};
  return event;
}
SDL_Event press(Uint8 which, int x, int y) {
  return button(SDL_MOUSEBUTTONDOWN, which, x, y);
}
SDL_Event release(Uint8 which, int x, int y) {
  return button(SDL_MOUSEBUTTONUP, which, x, y);
}
SDL_Event motion(int x, int y) {
  SDL_Event event = ofType(SDL_MOUSEMOTION);
  event.motion.x = Uint16(x);
  event.motion.y = Uint16(y);
  return event;
}

const SDL_Event Return = keyEvent(SDLK_RETURN, 13);
const SDL_Event KeypadEnter = keyEvent(SDLK_KP_ENTER, 13);
const SDL_Event Escape = keyEvent(SDLK_ESCAPE, 27);

// A point of the level area, where a left press lays the pattern, and the middle of "Ouvrir
// niveau".
constexpr int LevelX = 300, LevelY = 200;
constexpr int OpenX = (OpenRegion.left + OpenRegion.right) / 2;
constexpr int OpenY = (OpenRegion.top + OpenRegion.bottom) / 2;

// Each test runs in a fresh working directory with an empty niv/: saving and listing use
// paths relative to it.
class DispatchTest : public WithFont {
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

  void dispatch(const SDL_Event &event) { dispatchEvent(event, *editor); }
  void typeText(const std::string &text) {
    for (char c : text)
      dispatch(keyEvent(static_cast<SDLKey>(c), static_cast<uint16_t>(c)));
  }
  void click(Uint8 button, int x, int y) {
    dispatch(press(button, x, y));
    dispatch(release(button, x, y));
  }
  void fresh(int32_t mode) {
    editor = std::make_unique<Editor>();
    editor->state.mode = mode;
  }

  std::unique_ptr<Editor> editor = std::make_unique<Editor>();
  fs::path workDir, previousDir;
};

bool sameEditing(const Editor &a, const Editor &b) {
  return std::memcmp(&a.state, &b.state, sizeof a.state) == 0 &&
         std::memcmp(&a.bricks, &b.bricks, sizeof a.bricks) == 0 && a.selection == b.selection &&
         a.currentBrickType == b.currentBrickType;
}

TEST_F(DispatchTest, ReturnCompletesNonEmptyNamesKeypadEnterNeverAndEscapeLeavesTheDialogOpen) {
  editor->state.mode = EnteringLevelName;
  editor->bricks[0] = Brick{100, 100, 3};
  editor->state.brickCount = 1;
  for (auto [typed, next] : {std::pair{"Niveau 1", EnteringAuthorName}, {"Moi", Editing}}) {
    const int32_t mode = editor->state.mode;
    dispatch(Return);
    typeText(typed);
    dispatch(KeypadEnter);
    EXPECT_EQ(editor->state.mode, mode);
    if (next == Editing) {
      // Return queued behind Escape in the same pass still saves.
      dispatch(Escape);
      EXPECT_TRUE(editor->quitRequested);
      EXPECT_EQ(editor->state.mode, mode);
      EXPECT_TRUE(fs::is_empty(workDir / "niv"));
    }
    dispatch(Return);
    EXPECT_EQ(editor->state.mode, next);
  }
  EXPECT_EQ(editor->levelNameField.text(), "Niveau 1");
  EXPECT_EQ(editor->authorField.text(), "Moi");
  std::ifstream saved(workDir / "niv" / "Niveau 1.lvbk", std::ios::binary);
  std::string content((std::istreambuf_iterator<char>(saved)), std::istreambuf_iterator<char>());
  EXPECT_EQ(content, "1\r\n100;100;3\r\nMoi");
}

TEST_F(DispatchTest, OutsideTheNameDialogsKeysOnlyQuitAndSoDoesClosingTheWindow) {
  for (int32_t mode : {Editing, BrowsingLevels}) {
    fresh(mode);
    typeText("ab");
    dispatch(Return);
    EXPECT_EQ(editor->state.mode, mode);
    EXPECT_EQ(editor->levelNameField.text() + editor->authorField.text(), "");
    EXPECT_FALSE(editor->quitRequested);
    dispatch(Escape);
    EXPECT_TRUE(editor->quitRequested);
  }
  fresh(Editing);
  dispatch(ofType(SDL_QUIT));
  EXPECT_TRUE(editor->quitRequested);
}

TEST_F(DispatchTest, WheelStepsTheBrickTypeWithWrapAroundOnReleaseOnly) {
  struct Step {
    int32_t from;
    Uint8 button;
    int32_t to;
  };
  for (const Step &step : {Step{24, SDL_BUTTON_WHEELDOWN, 1}, Step{1, SDL_BUTTON_WHEELUP, 24},
                           Step{0, SDL_BUTTON_WHEELDOWN, 1}, Step{0, SDL_BUTTON_WHEELUP, 24},
                           Step{7, SDL_BUTTON_WHEELDOWN, 8}, Step{7, SDL_BUTTON_WHEELUP, 6}}) {
    SCOPED_TRACE(::testing::Message() << "from " << step.from << " button " << int(step.button));
    editor->currentBrickType = step.from;
    dispatch(press(step.button, LevelX, LevelY));
    EXPECT_EQ(editor->currentBrickType, step.from);
    dispatch(release(step.button, LevelX, LevelY));
    EXPECT_EQ(editor->currentBrickType, step.to);
  }
  EXPECT_EQ(editor->state.brickCount, 0);
}

TEST_F(DispatchTest, MiddleButtonAndNameDialogsIgnoreClicksAndWheel) {
  // In Editing a left press lays a brick: the dialogs must be what stops it.
  dispatch(press(SDL_BUTTON_LEFT, LevelX, LevelY));
  ASSERT_EQ(editor->state.brickCount, 1);

  const std::vector<Uint8> allButtons = {SDL_BUTTON_LEFT, SDL_BUTTON_RIGHT, SDL_BUTTON_MIDDLE,
                                         SDL_BUTTON_WHEELUP, SDL_BUTTON_WHEELDOWN};
  for (auto [mode, buttons] : {std::pair{Editing, std::vector<Uint8>{SDL_BUTTON_MIDDLE}},
                               {EnteringLevelName, allButtons},
                               {EnteringAuthorName, allButtons}}) {
    fresh(mode);
    Editor before;
    before.state.mode = mode;
    // Over "Ouvrir niveau" too: no browser may open from a dialog.
    for (Uint8 button : buttons) {
      click(button, LevelX, LevelY);
      click(button, OpenX, OpenY);
    }
    EXPECT_TRUE(sameEditing(*editor, before)) << "mode " << mode;
    EXPECT_TRUE(editor->levelList.empty());
  }
}

TEST_F(DispatchTest, OnlyMouseEventsMoveThePointer) {
  dispatch(motion(10, 20));
  EXPECT_TRUE(editor->mouseX == 10 && editor->mouseY == 20);
  dispatch(press(SDL_BUTTON_MIDDLE, 30, 40));
  EXPECT_TRUE(editor->mouseX == 30 && editor->mouseY == 40);
  editor->state.mode = EnteringLevelName;
  dispatch(release(SDL_BUTTON_LEFT, 1000, 700));
  for (const SDL_Event &other :
       {keyEvent(SDLK_a, 'a'), Return, ofType(SDL_QUIT), ofType(SDL_ACTIVEEVENT)})
    dispatch(other);
  EXPECT_TRUE(editor->mouseX == 1000 && editor->mouseY == 700);
  // The pointer drawn is taken by the loop at the start of a pass, never here.
  EXPECT_TRUE(editor->pointerX == 0 && editor->pointerY == 0);
}

TEST_F(DispatchTest, InEveryModeMotionReachesTheHelpLineAndLeftReleaseEndsTheDrag) {
  for (int32_t mode : {Editing, EnteringLevelName, EnteringAuthorName, BrowsingLevels}) {
    SCOPED_TRACE(mode);
    fresh(mode);
    dispatch(motion(LevelX, LevelY));
    EXPECT_NE(editor->helpText, "...");
    // (1000, 750) lies outside every click region and the browser's list.
    editor->state.painting = 1;
    dispatch(release(SDL_BUTTON_RIGHT, 1000, 750));
    dispatch(release(SDL_BUTTON_WHEELDOWN, 1000, 750));
    EXPECT_EQ(editor->state.painting, 1);
    dispatch(release(SDL_BUTTON_LEFT, 1000, 750));
    EXPECT_EQ(editor->state.painting, 0);
    EXPECT_EQ(editor->state.mode, mode);
  }
}

TEST_F(DispatchTest, BrowserListsTheLevelsAndItsWheelKeepsTheScrollInRange) {
  std::ofstream(workDir / "niv" / "un.lvbk") << "0\r\nMoi";
  std::ofstream(workDir / "niv" / "notes.txt") << "x";
  // One name fits on the first page: a scroll kept from a longer list would show nothing.
  editor->state.browserScroll = 7;
  click(SDL_BUTTON_LEFT, OpenX, OpenY);
  EXPECT_EQ(editor->state.mode, BrowsingLevels);
  EXPECT_EQ(editor->levelList, std::vector<std::string>{"un.lvbk"});
  EXPECT_EQ(editor->state.browserScroll, 0);

  for (int i = 1; i < 15; ++i)
    editor->levelList.push_back("level" + std::to_string(i) + ".lvbk");
  for (int i = 0; i < 8; ++i)
    dispatch(release(SDL_BUTTON_WHEELDOWN, 500, 350));
  EXPECT_EQ(editor->state.browserScroll, 5);
  for (int i = 0; i < 8; ++i)
    dispatch(release(SDL_BUTTON_WHEELUP, 500, 350));
  EXPECT_EQ(editor->state.browserScroll, 0);
  EXPECT_EQ(editor->currentBrickType, 1);
}

TEST(FrameDue, OnlyAfterMoreThan25MillisecondsAlsoAcrossTheWrap) {
  EXPECT_FALSE(frameDue(1000, 1000));
  EXPECT_FALSE(frameDue(1025, 1000));
  EXPECT_TRUE(frameDue(1026, 1000));
  EXPECT_FALSE(frameDue(9, 0xFFFFFFF0u));
  EXPECT_TRUE(frameDue(10, 0xFFFFFFF0u));
}

} // namespace
