#include "invariants.h"

#include "editor/screen_layout.h"
#include "storage/browser_highlight.h"
#include "storage/file_bytes.h"
#include "storage/level_browser.h"

#include <algorithm>
#include <cstring>
#include <tuple>
#include <vector>

namespace {

bool cleanName(const std::string &text) {
  return text.size() <= TextFieldMaxLength && std::all_of(text.begin(), text.end(), [](char c) {
           return c == ' ' || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') ||
                  (c >= 'a' && c <= 'z');
         });
}

bool sameSlots(const Bricks &a, const Bricks &b, int32_t count) {
  return std::equal(a.begin(), a.begin() + count, b.begin());
}

bool inField(const Brick &b) {
  return b.x >= LevelLeft && b.y >= LevelTop && int64_t{b.x} + BrickWidth <= LevelRight &&
         int64_t{b.y} + BrickHeight <= LevelBottom;
}

bool brickOrder(const Brick &a, const Brick &b) {
  return std::tie(a.x, a.y, a.type) < std::tie(b.x, b.y, b.type);
}

// In order of x, a brick meets only those less than a brick's width to its right.
int64_t overlappingPairs(const Editor &editor) {
  std::vector<Brick> b(editor.bricks.begin(),
                       editor.bricks.begin() + bricksInUse(editor.state.brickCount));
  std::sort(b.begin(), b.end(), brickOrder);
  int64_t pairs = 0;
  for (std::size_t i = 0; i < b.size(); ++i)
    for (std::size_t j = i + 1; j < b.size() && int64_t{b[j].x} - b[i].x < BrickWidth; ++j)
      pairs += bricksOverlap(b[i].x, b[i].y, b[j].x, b[j].y);
  return pairs;
}

// to[i] is from[i] moved by one vector, the same for all, wholly into the level area.
bool movedTogether(const std::vector<Brick> &from, const std::vector<Brick> &to) {
  bool same = from.size() == to.size();
  for (std::size_t i = 0; same && i < from.size(); ++i)
    same = to[i].type == from[i].type && inField(to[i]) &&
           int64_t{to[i].x} - from[i].x == int64_t{to[0].x} - from[0].x &&
           int64_t{to[i].y} - from[i].y == int64_t{to[0].y} - from[0].y;
  return same;
}

// The selected bricks all moved together or all given the current type, the others staying;
// exactly the selected erased; or the copied bricks moved together after the others (a paste).
bool selectionChange(const Editor &before, const Editor &after) {
  const BrickSelection &held = before.brickSelection;
  const int32_t was = before.state.brickCount, is = after.state.brickCount;
  std::vector<Brick> kept, selected, retyped, stayed, went;
  for (int32_t slot = 0; slot < was; ++slot) {
    const Brick &b = before.bricks[slot];
    (held.marked[slot] ? selected : kept).push_back(b);
    if (held.marked[slot])
      retyped.push_back(Brick{b.x, b.y, after.currentBrickType});
    if (is == was)
      (held.marked[slot] ? went : stayed).push_back(after.bricks[slot]);
  }
  std::vector<Brick> now(after.bricks.begin(), after.bricks.begin() + is);
  if (is == was)
    return stayed == kept && (went == retyped || movedTogether(selected, went));
  if (is > was)
    return held.pasting && sameSlots(before.bricks, after.bricks, was) &&
           movedTogether(held.copied, std::vector<Brick>(now.begin() + was, now.end()));
  std::sort(kept.begin(), kept.end(), brickOrder);
  std::sort(now.begin(), now.end(), brickOrder);
  return kept == now;
}

std::string brickFault(const Editor &before, const InputEvent &event, const Editor &after) {
  const int32_t was = before.state.brickCount, is = after.state.brickCount;
  const bool left = event.button == MouseLeft, up = event.kind == InputKind::ButtonUp;
  if ((was == is && sameSlots(before.bricks, after.bricks, is)) ||
      (before.state.mode == BrowsingLevels && ((up && left) || event.key == Key::Return)))
    return ""; // unchanged, or a level opened: its file need keep no rule
  if (before.state.mode != Editing)
    return "bricks changed outside the Editing mode";
  if (event.kind == InputKind::KeyDown && event.ctrl &&
      (event.key == Key::Z || event.key == Key::Y))
    return ""; // undone or redone: any earlier level comes back as it was
  if (overlappingPairs(after) > overlappingPairs(before))
    return "bricks overlap that did not";
  const bool down = event.kind == InputKind::ButtonDown, pasting = before.brickSelection.pasting;
  if ((event.kind == InputKind::KeyDown || up || (down && pasting)) &&
      selectionChange(before, after))
    return "";
  if (event.kind == InputKind::Motion || (down && left && !pasting)) {
    if (is <= was || !sameSlots(before.bricks, after.bricks, was))
      return "a placement laid nothing or moved a brick already laid";
    // Each brick laid lies inside the level area and has the current type.
    for (int32_t slot = was; slot < is; ++slot) {
      const Brick &b = after.bricks[slot];
      if (!inField(b) || b.type != after.currentBrickType)
        return "the brick laid at " + std::to_string(b.x) + "," + std::to_string(b.y) +
               " leaves the level or has another type";
    }
    // Mirrored, what one placement lays is its own mirror image, so that a level built by
    // mirrored placements alone stays symmetric.
    std::vector<std::pair<int, int>> laid, twins;
    for (int32_t slot = was; after.mirror && slot < is; ++slot) {
      laid.emplace_back(after.bricks[slot].x, after.bricks[slot].y);
      twins.emplace_back(mirroredX(after.bricks[slot].x), after.bricks[slot].y);
    }
    std::sort(laid.begin(), laid.end());
    std::sort(twins.begin(), twins.end());
    return laid == twins ? "" : "a mirrored placement laid bricks that are not their own twins";
  }
  if ((up && event.button == MouseRight && (is == was || is == was - 1)) || (up && left && is == 0))
    return ""; // retyped or erased, or cleared
  return "bricks changed on an event that must not change them";
}

} // namespace

std::string fileBytes(const std::string &path) {
  std::string bytes;
  readFileBytes(path, bytes);
  return bytes;
}

std::string brokenRule(const Editor &before, const InputEvent &event, const Editor &after) {
  const EditorState &s = after.state;
  const int64_t lastScroll =
      std::max<int64_t>(static_cast<int64_t>(after.levelList.size()) - BrowserRowsShown, 0);
  const struct {
    const char *name;
    int64_t value, low, high;
  } ranges[] = {{"brickCount", s.brickCount, 0, BrickSlots},
                {"mode", s.mode, Editing, BrowsingLevels},
                {"painting", s.painting, 0, 1},
                {"spacingX", s.spacingX, 0, MaxSpacingX},
                {"spacingY", s.spacingY, 0, MaxSpacingY},
                {"offsetX", s.offsetX, -MaxOffsetX, MaxOffsetX},
                {"offsetY", s.offsetY, -MaxOffsetY, MaxOffsetY},
                {"relativeX", s.relativeX, -1, 1},
                {"relativeY", s.relativeY, -1, 1},
                {"currentBrickType", after.currentBrickType, 0, LastBrickType},
                {"browserScroll", s.browserScroll, 0, lastScroll}};
  for (const auto &range : ranges)
    if (range.value < range.low || range.value > range.high)
      return std::string(range.name) + " is " + std::to_string(range.value);
  const auto &marked = after.brickSelection.marked;
  if (std::any_of(marked.begin() + bricksInUse(s.brickCount), marked.end(),
                  [](bool mark) { return mark; }))
    return "a selection mark on a slot not in use";
  EditorState box = s;
  updatePatternBox(after.selection, box);
  if (box != s)
    return "the pattern box is not that of the selection";

  // Typing changes the field of its dialog; opening the save dialog fills both with what the
  // level was saved or opened with, a text a field cannot hold leaving it empty.
  const bool fills =
      before.state.mode == Editing && s.mode == EnteringLevelName && !before.saved.name.empty();
  const auto wrong = [&](const std::string &text, const std::string &was, int32_t typing,
                         const std::string &kept) {
    return fills ? text != (cleanName(kept) ? kept : "")
                 : !cleanName(text) || (text != was && before.state.mode != typing);
  };
  const std::string &name = after.levelNameField.text(), &author = after.authorField.text();
  if (wrong(name, before.levelNameField.text(), EnteringLevelName, before.saved.name) ||
      wrong(author, before.authorField.text(), EnteringAuthorName, before.saved.author))
    return "the name fields hold \"" + name + "\" and \"" + author + "\"";
  const bool mouse = event.kind == InputKind::Motion || event.kind == InputKind::ButtonDown ||
                     event.kind == InputKind::ButtonUp;
  if (after.mouseX != (mouse ? event.x : before.mouseX) ||
      after.mouseY != (mouse ? event.y : before.mouseY))
    return "the pointer is not where the last mouse event left it";
  // Besides a motion, only a save sets the help line: to what became of the level.
  const bool key = event.kind == InputKind::KeyDown;
  const bool savesNamed =
      key && event.key == Key::Return && before.state.mode == EnteringAuthorName && !author.empty();
  const bool saves =
      savesNamed || (key && event.ctrl && event.key == Key::S && before.state.mode == Editing &&
                     !before.keyListShown && !before.play && !before.saved.name.empty());
  if (event.kind != InputKind::Motion &&
      (saves ? after.helpText.empty() : after.helpText != before.helpText))
    return "the help line changed without a motion, or a save did not say what it did";
  // While the list of keys shows, a key or a click closes it and does nothing else, nor does
  // the release of the press that closed it; Escape too only closes it.
  const bool taken =
      (before.keyListShown && event.kind != InputKind::Motion && event.kind != InputKind::Quit) ||
      (event.kind == InputKind::ButtonUp && before.keyListButton != 0 &&
       event.button == before.keyListButton);
  if (taken && (!(Work{after.bricks, after.selection, s} ==
                  Work{before.bricks, before.selection, before.state}) ||
                after.currentBrickType != before.currentBrickType || after.mirror != before.mirror))
    return "a key or a click on the list of keys did more than close it";
  // Escape only closes the list of keys, ends a game, or ends a selection or a paste in the
  // Editing mode, rather than the run.
  const BrickSelection &held = before.brickSelection;
  const bool ends = before.state.mode == Editing &&
                    (held.pasting || std::count(held.marked.begin(), held.marked.end(), true) > 0);
  const bool quits =
      event.kind == InputKind::Quit ||
      (key && event.key == Key::Escape && !before.keyListShown && !before.play && !ends);
  if (after.quitRequested != (before.quitRequested || quits))
    return "quit requested by another event, or not by this one";
  const int64_t lit = highlightedLevel(after);
  const VisibleNames shown = visibleLevelNames(after.levelList.size(), s.browserScroll);
  if (lit >= 0 &&
      (lit < static_cast<int64_t>(shown.first) || lit >= static_cast<int64_t>(shown.end)))
    return "the highlighted name is out of view";
  // A game plays a copy of the level: playing and ending it leave the editor as it was.
  if (before.play &&
      (after.bricks != before.bricks || s != before.state || after.selection != before.selection ||
       after.currentBrickType != before.currentBrickType ||
       after.history.steps.size() != before.history.steps.size()))
    return "a game changed the editor";
  if (const std::string fault = brickFault(before, event, after); !fault.empty())
    return fault;
  // Saving returns to Editing whatever the save did; the file itself is the file format's.
  if (savesNamed && s.mode != Editing)
    return "saving did not return to Editing";
  return "";
}
