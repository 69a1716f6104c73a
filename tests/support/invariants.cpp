#include "invariants.h"

#include "editor/screen_layout.h"
#include "storage/level_parser.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>

namespace {

bool cleanName(const std::string &text) {
  return text.size() <= TextFieldMaxLength && std::all_of(text.begin(), text.end(), [](char c) {
           return c == ' ' || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') ||
                  (c >= 'a' && c <= 'z');
         });
}

bool sameSlots(const Bricks &a, const Bricks &b, int32_t count) {
  return std::memcmp(a.data(), b.data(), sizeof(Brick) * static_cast<std::size_t>(count)) == 0;
}

// A brick a placement laid: inside the level area, of a real type, overlapping no other.
std::string placementFault(const Editor &after, int32_t slot) {
  const Brick &b = after.bricks[slot];
  const std::string at = "brick laid at " + std::to_string(b.x) + "," + std::to_string(b.y);
  if (b.x < LevelLeft || b.y < LevelTop || b.x + BrickWidth > LevelRight ||
      b.y + BrickHeight > LevelBottom || b.type != after.currentBrickType)
    return at + " leaves the level or has type " + std::to_string(b.type);
  for (int32_t other = 0; other < after.state.brickCount; ++other)
    if (other != slot && bricksOverlap(b.x, b.y, after.bricks[other].x, after.bricks[other].y))
      return at + " overlaps slot " + std::to_string(other);
  return "";
}

std::string brickFault(const Editor &before, const InputEvent &event, const Editor &after) {
  const int32_t was = before.state.brickCount, is = after.state.brickCount;
  if (was == is && sameSlots(before.bricks, after.bricks, is))
    return "";
  const bool left = event.button == MouseLeft, up = event.kind == InputKind::ButtonUp;
  if (up && left && before.state.mode == BrowsingLevels)
    return ""; // a level opened: its file need keep no rule
  if (before.state.mode != Editing)
    return "bricks changed outside the Editing mode";
  if (event.kind == InputKind::Motion || (event.kind == InputKind::ButtonDown && left)) {
    if (is <= was || !sameSlots(before.bricks, after.bricks, was))
      return "a placement laid nothing or moved a brick already laid";
    for (int32_t slot = was; slot < is; ++slot)
      if (std::string fault = placementFault(after, slot); !fault.empty())
        return fault;
    return "";
  }
  if (up && event.button == MouseRight && (is == was || is == was - 1))
    return ""; // retyped or erased
  if (up && left && is == 0)
    return ""; // cleared
  return "bricks changed on an event that must not change them";
}

// The level just saved reads back as the bricks it was saved from.
std::string saveFault(const Editor &before, const Editor &after, const std::string &directory) {
  if (after.state.mode != Editing)
    return "saving did not return to Editing";
  if (before.state.brickCount == 0)
    return "";
  const std::string path = directory + before.levelNameField.text() + ".lvbk";
  std::ifstream file(path, std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(file), {}};
  Bricks read{};
  int32_t count = -1;
  parseLevelBytes(bytes.data(), bytes.size(), read, count);
  if (count != before.state.brickCount || !sameSlots(read, before.bricks, count))
    return path + " does not read back as the level saved";
  return "";
}

} // namespace

std::string brokenRule(const Editor &before, const InputEvent &event, const Editor &after,
                       const std::string &levelDirectory) {
  const EditorState &s = after.state;
  const int64_t names = static_cast<int64_t>(after.levelList.size());
  const struct {
    const char *name;
    int64_t value, low, high;
  } ranges[] = {
      {"brickCount", s.brickCount, 0, BrickSlots},
      {"mode", s.mode, Editing, BrowsingLevels},
      {"painting", s.painting, 0, 1},
      {"spacingX", s.spacingX, 0, MaxSpacingX},
      {"spacingY", s.spacingY, 0, MaxSpacingY},
      {"offsetX", s.offsetX, -MaxOffsetX, MaxOffsetX},
      {"offsetY", s.offsetY, -MaxOffsetY, MaxOffsetY},
      {"relativeX", s.relativeX, -1, 1},
      {"relativeY", s.relativeY, -1, 1},
      {"currentBrickType", after.currentBrickType, 0, LastBrickType},
      {"browserScroll", s.browserScroll, 0, std::max<int64_t>(names - BrowserRowsShown, 0)},
  };
  for (const auto &range : ranges)
    if (range.value < range.low || range.value > range.high)
      return std::string(range.name) + " is " + std::to_string(range.value);
  EditorState box = s;
  updatePatternBox(after.selection, box);
  if (std::memcmp(&box, &s, sizeof box) != 0)
    return "the pattern box is not that of the selection";

  const std::string &name = after.levelNameField.text(), &author = after.authorField.text();
  if (!cleanName(name) || !cleanName(author))
    return "a name field holds \"" + name + "\" / \"" + author + "\"";
  if ((name != before.levelNameField.text() && before.state.mode != EnteringLevelName) ||
      (author != before.authorField.text() && before.state.mode != EnteringAuthorName))
    return "a name field changed outside its dialog";

  const bool mouse = event.kind == InputKind::Motion || event.kind == InputKind::ButtonDown ||
                     event.kind == InputKind::ButtonUp;
  if (after.mouseX != (mouse ? event.x : before.mouseX) ||
      after.mouseY != (mouse ? event.y : before.mouseY))
    return "the pointer is not where the last mouse event left it";
  if (event.kind != InputKind::Motion && after.helpText != before.helpText)
    return "the help line changed without a motion";
  const bool quits = event.kind == InputKind::Quit ||
                     (event.kind == InputKind::KeyDown && event.key == Key::Escape);
  if (after.quitRequested != (before.quitRequested || quits))
    return "quit requested by another event, or not by this one";

  if (std::string fault = brickFault(before, event, after); !fault.empty())
    return fault;
  if (event.kind == InputKind::KeyDown && event.key == Key::Return &&
      before.state.mode == EnteringAuthorName && !author.empty())
    return saveFault(before, after, levelDirectory);
  return "";
}
