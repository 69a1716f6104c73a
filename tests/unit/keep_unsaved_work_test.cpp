// What the editor keeps when it ends: the level's exact bytes when it differs from what was last
// saved or opened, and nothing otherwise.

#include "editor/control/handle_input.h"
#include "editor/control/keep_unsaved_work.h"
#include "editor/screen_layout.h"
#include "storage_test_support.h"

#include <gtest/gtest.h>

namespace {

struct Ending : ::testing::Test {
  ScratchDirectory dir;
  Editor editor;
  void send(InputKind kind, int x, int y, int button = MouseLeft) {
    handleInput(InputEvent{kind, uint16_t(x), uint16_t(y), button}, editor, dir.path());
  }
  void click(int x, int y) {
    send(InputKind::ButtonDown, x, y);
    send(InputKind::ButtonUp, x, y);
  }
  void key(Key key, char character = 0, bool ctrl = false) {
    handleInput(InputEvent{InputKind::KeyDown, 0, 0, 0, key, uint16_t(character), ctrl}, editor,
                dir.path());
  }
  std::string kept() { return keepUnsavedWork(editor, dir.path(), 0); }
};

TEST_F(Ending, KeepsTheChangedLevelOnlyWhileItDiffersFromTheSavedOne) {
  EXPECT_EQ(kept(), "");
  click(100, 100);
  key(Key::Other, 'x'); // not a name: the editor is in the Editing mode
  const std::string path = kept();
  ASSERT_NE(path, "");
  EXPECT_EQ(fileBytes(path), "1\r\n100;100;1\r\n");

  click(SaveBox.x + 5, SaveBox.y + 5);
  for (Key k : {Key::Other, Key::Return, Key::Other, Key::Return})
    key(k, k == Key::Other ? 'a' : 13);
  ASSERT_EQ(fileBytes(dir.path() + "a.lvbk"), "1\r\n100;100;1\r\na");
  EXPECT_EQ(kept(), "");
  click(200, 200);
  key(Key::Z, 'z', true);
  EXPECT_EQ(kept(), "");
  click(200, 200);
  EXPECT_EQ(fileBytes(kept()), "2\r\n100;100;1\r\n200;200;1\r\na");
}

} // namespace
