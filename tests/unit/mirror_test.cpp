// A level built only by mirrored placements is its own mirror image, whatever the presses,
// drags, patterns, spacings and directions.

#include "editor/control/handle_input.h"
#include "editor/screen_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <tuple>
#include <vector>

namespace {

TEST(MirrorPlacement, ALevelBuiltMirroredIsSymmetric) {
  std::mt19937 random(7);
  Editor editor;
  handleInput(InputEvent{InputKind::KeyDown, 0, 0, 0, Key::M, 'm'}, editor);
  const InputKind kinds[] = {InputKind::ButtonDown, InputKind::Motion, InputKind::ButtonUp};
  for (int step = 0; step < 20000 && editor.state.brickCount < BrickSlots; ++step) {
    // Left of the buttons; right clicks off the field, where they would retype or erase.
    InputEvent event{kinds[random() % 3], static_cast<uint16_t>(random() % 800),
                     static_cast<uint16_t>(random() % 768), random() % 8 ? MouseLeft : MouseRight};
    if (event.button == MouseRight && event.y < 480)
      continue;
    handleInput(event, editor);
    std::vector<std::tuple<int, int, int>> bricks, twins;
    for (int32_t i = 0; i < editor.state.brickCount; ++i) {
      const Brick &b = editor.bricks[i];
      bricks.emplace_back(b.x, b.y, b.type);
      twins.emplace_back(mirroredX(b.x), b.y, b.type);
    }
    std::sort(bricks.begin(), bricks.end());
    std::sort(twins.begin(), twins.end());
    ASSERT_EQ(bricks, twins) << "after step " << step;
  }
  EXPECT_GT(editor.state.brickCount, 20);
}

} // namespace
