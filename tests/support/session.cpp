#include "session.h"

#include "editor/control/handle_input.h"
#include "editor/control/keep_unsaved_work.h"
#include "editor/control/play_input.h"
#include "editor/saved_level.h"
#include "invariants.h"
#include "storage/browser_highlight.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <glob.h>
#include <iomanip>
#include <sstream>
#include <utility>

namespace fs = std::filesystem;

namespace {

// The keys a session names besides the letters, with the character the library translates
// them to and their X keysym.
struct NamedKey {
  const char *name;
  Key key;
  uint16_t character;
  unsigned long keysym;
};
const NamedKey NamedKeys[] = {
    {"Return", Key::Return, 13, 0xff0d}, {"KP_Enter", Key::Other, 13, 0xff8d},
    {"Escape", Key::Escape, 27, 0xff1b}, {"BackSpace", Key::Backspace, 8, 0xff08},
    {"Tab", Key::Other, 9, 0xff09},      {"Delete", Key::Delete, 127, 0xffff},
    {"space", Key::Space, ' ', ' '},     {"Up", Key::Up, 0, 0xff52},
    {"Down", Key::Down, 0, 0xff54},      {"Left", Key::Left, 0, 0xff51},
    {"Right", Key::Right, 0, 0xff53},    {"Prior", Key::PageUp, 0, 0xff55},
    {"Next", Key::PageDown, 0, 0xff56},  {"F1", Key::F1, 0, 0xffbe}};

// A key press named "ctrl+shift+z", "shift+Left", "t"...: a letter or a named key after the
// modifiers. With Ctrl held the library translates a letter to its control character, z to 26.
bool namedKeyEvent(std::string name, InputEvent &event) {
  event.kind = InputKind::KeyDown;
  for (const char *modifier : {"ctrl+", "shift+"})
    if (name.rfind(modifier, 0) == 0) {
      (modifier[0] == 'c' ? event.ctrl : event.shift) = true;
      name.erase(0, std::strlen(modifier));
    }
  if (name.size() == 1 && name[0] >= 'a' && name[0] <= 'z') {
    event.key = letterKey(name[0]);
    event.character = event.ctrl ? name[0] - 'a' + 1 : event.shift ? name[0] - 32 : name[0];
    return true;
  }
  for (const NamedKey &named : NamedKeys)
    if (name == named.name) {
      event.key = named.key;
      event.character = named.character;
      return true;
    }
  return false;
}

// The fields of EditorState by name.
constexpr int32_t EditorState::*Fields[] = {
    &EditorState::painting,      &EditorState::mode,          &EditorState::spacingX,
    &EditorState::spacingY,      &EditorState::patternWidth,  &EditorState::patternHeight,
    &EditorState::patternMinCol, &EditorState::patternMaxCol, &EditorState::patternMinRow,
    &EditorState::patternMaxRow, &EditorState::brickCount,    &EditorState::offsetX,
    &EditorState::offsetY,       &EditorState::relativeX,     &EditorState::relativeY,
    &EditorState::browserScroll};
const std::string FieldNames = " painting mode spacingX spacingY patternWidth patternHeight "
                               "patternMinCol patternMaxCol patternMinRow patternMaxRow brickCount "
                               "offsetX offsetY relativeX relativeY browserScroll ";
const char *const ModeNames[] = {"Editing", "EnteringLevelName", "EnteringAuthorName",
                                 "BrowsingLevels"};

bool oneOf(const std::string &word, const std::string &words) {
  return words.find(" " + word + " ") != std::string::npos;
}

// Blank-separated words; a word in double quotes keeps its blanks.
std::vector<std::string> split(const std::string &text) {
  std::istringstream in(text);
  std::vector<std::string> words;
  for (std::string word; in >> std::quoted(word);)
    words.push_back(word);
  return words;
}

std::string joined(const std::vector<std::string> &words, std::size_t from) {
  std::string text;
  for (std::size_t i = from; i < words.size(); ++i)
    text += (i > from ? " " : "") + words[i];
  return text;
}

// The bytes of a file, or "none" when there is no such file; a path with a '*' names the one
// file it matches, as in the shell.
std::string bytesOf(const std::string &path) {
  glob_t found{};
  const bool one = glob(path.c_str(), 0, nullptr, &found) == 0 && found.gl_pathc == 1;
  const std::string file = one ? found.gl_pathv[0] : path;
  globfree(&found);
  return fs::exists(file) ? fileBytes(file) : "none";
}

// "none", or the game's phase, balls and bricks to break left, and the autopilot.
std::string playDescription(const Editor &editor) {
  if (!editor.play)
    return "none";
  const Game &game = editor.play->game;
  const char *const phases[] = {"Waiting", "Moving", "Cleared", "Lost"};
  return std::string(phases[static_cast<int>(phase(game))]) + " balls " +
         std::to_string(ballsLeft(game)) + " bricks " + std::to_string(bricksToBreakLeft(game)) +
         (editor.play->autopilot ? " autopilot" : "");
}

std::string fieldValue(const Editor &editor, const std::string &field) {
  const std::size_t at = FieldNames.find(" " + field + " ");
  if (field == "mode")
    return ModeNames[editor.state.mode & 3];
  if (field == "currentBrickType" || field == "quit" || field == "keys")
    return std::to_string(field == "quit"   ? editor.quitRequested
                          : field == "keys" ? editor.keyListShown
                                            : editor.currentBrickType);
  if (field == "highlight")
    return std::to_string(highlightedLevel(editor));
  if (at == std::string::npos)
    return "(no field " + field + ")";
  const auto index = std::count(FieldNames.begin(), FieldNames.begin() + at, ' ');
  return std::to_string(editor.state.*Fields[index]);
}

// Messages name the level directory as given: shown from the working directory.
std::string relative(std::string text, const std::string &directory) {
  for (std::size_t at; (at = text.find(directory)) != std::string::npos;)
    text.erase(at, directory.size());
  return text;
}

} // namespace

SessionLine sessionLine(int number, const std::string &text, bool fresh) {
  const std::size_t blank = text.find(' ');
  return {number, split(text), blank == std::string::npos ? "" : text.substr(blank + 1), fresh};
}

// The parts of text between " | ".
std::vector<std::string> pieces(const std::string &text) {
  std::vector<std::string> parts;
  for (std::size_t from = 0, bar = 0; bar != std::string::npos; from = bar + 3) {
    bar = text.find(" | ", from);
    parts.push_back(text.substr(from, bar == std::string::npos ? bar : bar - from));
  }
  return parts;
}

std::vector<SessionLine> readSession(const std::string &path, std::string &error) {
  std::ifstream file(path, std::ios::binary);
  const bool table = fs::path(path).extension() == ".txt";
  std::vector<SessionLine> lines;
  std::string text;
  for (int number = 1; std::getline(file, text); ++number) {
    if (number == 1 && text.rfind("# ", 0) != 0)
      error = path + ": the first line must say what the session checks";
    if (text.empty() || text[0] == '#')
      continue;
    if (!table) {
      lines.push_back(sessionLine(number, text, false));
      continue;
    }
    // A row, "STEP | STEP => EXPECTATION | EXPECTATION", played on an editor of its own.
    const std::size_t arrow = text.find(" => ");
    if (arrow == std::string::npos) {
      error = path + ":" + std::to_string(number) + ": a row needs \" => \"";
      break;
    }
    bool fresh = true;
    for (const std::string &step : pieces(text.substr(0, arrow)))
      lines.push_back(sessionLine(number, step, std::exchange(fresh, false)));
    for (const std::string &expectation : pieces(text.substr(arrow + 4)))
      lines.push_back(sessionLine(number, "expect " + expectation, false));
  }
  if (lines.empty() && error.empty())
    error = path + ": no steps";
  return error.empty() ? lines : std::vector<SessionLine>{};
}

bool isInputStep(const SessionLine &line) {
  return oneOf(line.words[0], " move press release click drag wheel key type close wait ");
}

bool needsScreen(const SessionLine &line) {
  return line.words[0] == "expect" && line.words.size() > 1 &&
         oneOf(line.words[1], " frame exit box ink text reads screen ");
}

unsigned long keysymOf(const InputEvent &event) {
  for (const NamedKey &named : NamedKeys)
    if (named.key == event.key && named.character == event.character)
      return named.keysym;
  // A letter with Ctrl held, or a character as typed.
  return event.ctrl && event.character >= 1 && event.character <= 26 ? 'a' + event.character - 1
                                                                     : event.character;
}

SessionPlayer::SessionPlayer(std::string sessionDirectory, std::string workDirectory)
    : sessionDirectory_(std::move(sessionDirectory)), workDirectory_(std::move(workDirectory)) {}

void SessionPlayer::mouse(std::vector<InputEvent> &out, InputKind kind, int x, int y, int button) {
  if (x != pointerX_ || y != pointerY_)
    out.push_back({InputKind::Motion, uint16_t(x), uint16_t(y)});
  pointerX_ = x;
  pointerY_ = y;
  if (kind != InputKind::Motion)
    out.push_back({kind, uint16_t(x), uint16_t(y), button});
  if (!out.empty())
    out.back().shift = shift_;
}

std::vector<InputEvent> SessionPlayer::events(const SessionLine &line) {
  std::vector<std::string> w = line.words;
  // A mouse step ending in "shift" is made with Shift held.
  shift_ = w.back() == "shift";
  if (shift_)
    w.pop_back();
  const std::string &step = w[0];
  std::vector<int> n;
  for (std::size_t i = 1; i < w.size(); ++i)
    n.push_back(std::atoi(w[i].c_str()));
  // Clicks, wheel notches and keys repeat as often as their last number says.
  const bool counted = step == "click" ? n.size() > 3 : oneOf(step, " wheel key ") && n.size() > 1;
  const int times = counted ? n.back() : 1;
  const int button = w.size() > 3 && w[3] == "left"    ? MouseLeft
                     : w.size() > 3 && w[3] == "right" ? MouseRight
                                                       : MouseMiddle;
  std::vector<InputEvent> out;
  if (step == "move")
    mouse(out, InputKind::Motion, n[0], n[1], 0);
  for (int i = 0; i < times && oneOf(step, " press release click "); ++i) {
    if (step != "release")
      mouse(out, InputKind::ButtonDown, n[0], n[1], button);
    if (step != "press")
      mouse(out, InputKind::ButtonUp, n[0], n[1], button);
  }
  if (step == "drag") {
    mouse(out, InputKind::ButtonDown, n[0], n[1], MouseLeft);
    const int moves = std::max(1, std::max(std::abs(n[2] - n[0]), std::abs(n[3] - n[1])) /
                                      (n.size() > 4 ? n[4] : 1));
    for (int i = 1; i <= moves; ++i)
      mouse(out, InputKind::Motion, n[0] + (n[2] - n[0]) * i / moves,
            n[1] + (n[3] - n[1]) * i / moves, 0);
    mouse(out, InputKind::ButtonUp, n[2], n[3], MouseLeft);
  }
  for (int i = 0; step == "wheel" && i < times; ++i)
    for (InputKind kind : {InputKind::ButtonDown, InputKind::ButtonUp})
      mouse(out, kind, pointerX_, pointerY_, w[1] == "up" ? WheelUp : WheelDown);
  InputEvent key;
  for (int i = 0; step == "key" && namedKeyEvent(w[1], key) && i < times; ++i)
    out.push_back(key);
  // Typed letters are the keys of their letters, capitals with Shift held.
  for (char c : step == "type" ? line.rest : "") {
    out.push_back({InputKind::KeyDown, 0, 0, 0, letterKey(static_cast<char>(std::tolower(c))),
                   static_cast<uint8_t>(c)});
    out.back().shift = std::isupper(static_cast<unsigned char>(c)) != 0;
  }
  if (step == "close")
    out.push_back({InputKind::Quit});
  // Time passing, in the milliseconds of an event of no kind.
  if (step == "wait")
    out.push_back({InputKind::None, static_cast<uint16_t>(n[0])});
  return out;
}

std::string SessionPlayer::feed(const InputEvent &event) {
  // Time passing is no event: the game plays it.
  if (event.kind == InputKind::None) {
    if (editor.play)
      advancePlay(editor, clock_);
    clock_ += event.x;
    if (editor.play)
      advancePlay(editor, clock_);
    return "";
  }
  const Editor before = editor;
  handleInput(event, editor, workDirectory_ + "niv/");
  return brokenRule(before, event, editor);
}

std::string SessionPlayer::apply(const SessionLine &line, const std::string &directory,
                                 const std::string &output) {
  const std::vector<std::string> &w = line.words;
  if (w[0] == "level") {
    const fs::path from = fs::path(sessionDirectory_) / w[1];
    const std::string name = w.size() > 2 ? w[2] : from.filename().string();
    // NAME N: N copies, NAME01.lvbk to NAMEnn.lvbk.
    const int copies = w.size() > 3 ? std::atoi(w[3].c_str()) : 0;
    for (int i = copies > 0 ? 1 : 0; i <= copies; ++i) {
      char number[16] = "";
      if (i > 0)
        std::snprintf(number, sizeof number, "%02d.lvbk", i);
      fs::copy_file(from, directory + "niv/" + name + number, fs::copy_options::overwrite_existing);
    }
    return "";
  }
  if (w[0] == "without") {
    fs::remove_all(directory + w[1]);
    return "";
  }
  const Work now{editor.bricks, editor.selection, editor.state};
  if (w[0] == "mark") {
    marks_[std::atoi(w[1].c_str()) & 3] = now;
    return "";
  }
  const std::string what = w[0] == "expect" && w.size() > 1 ? w[1] : "";
  std::string expected = joined(w, 2), actual;
  for (int32_t i = 0; what == "bricks" && i < editor.state.brickCount; ++i)
    actual += (i > 0 ? " " : "") + std::to_string(editor.bricks[i].x) + ";" +
              std::to_string(editor.bricks[i].y) + ";" + std::to_string(editor.bricks[i].type);
  for (std::size_t i = 2; what == "state" && i + 1 < w.size(); i += 2)
    actual += (i > 2 ? " " : "") + w[i] + " " + fieldValue(editor, w[i]);
  for (int i = 0; what == "cells" && i < BrickSlots; ++i)
    if (editor.selection[i] != 0)
      actual += (actual.empty() ? "" : " ") + std::to_string(i / GridRows) + "," +
                std::to_string(i % GridRows);
  for (int i = 0; what == "selected" && i < BrickSlots; ++i)
    if (editor.brickSelection.marked[i])
      actual += (actual.empty() ? "" : " ") + std::to_string(i);
  if (what == "count")
    actual = std::to_string(editor.state.brickCount);
  else if (what == "help")
    actual = relative(editor.helpText, directory);
  else if (what == "fields")
    actual = editor.levelNameField.text() + " " + editor.authorField.text();
  else if (what == "list")
    actual = joined(editor.levelList, 0);
  else if (what == "mark")
    actual = w[2] + (marks_[std::atoi(w[2].c_str()) & 3] == now ? " same" : " differs");
  else if (what == "steps")
    actual = std::to_string(editor.history.steps.size());
  else if (what == "play")
    actual = playDescription(editor);
  else if (what == "title")
    actual = windowTitle(editor);
  else if (what == "kept") {
    const std::string kept = keepUnsavedWork(editor, directory + "niv/", 0);
    std::tie(actual, expected) =
        std::pair(bytesOf(kept.empty() ? "/none" : kept),
                  w[2] == "none" ? "none" : bytesOf(sessionDirectory_ + "/" + w[2]));
    fs::remove_all(directory + "niv/.backup");
  } else if (what == "file")
    std::tie(actual, expected) =
        std::pair(bytesOf(directory + w[2]),
                  w[3] == "none" ? "none" : bytesOf(sessionDirectory_ + "/" + w[3]));
  else if (!oneOf(what, " bricks state cells output selected "))
    return "unknown step: " + line.rest;
  if (what == "output") {
    const std::string printed =
        relative(output.substr(std::min(outputSeen_, output.size())), directory);
    const bool prefix =
        expected.size() >= 3 && expected.compare(expected.size() - 3, 3, "...") == 0;
    actual = prefix ? printed.substr(0, expected.size() - 3) + "..." : printed;
    outputSeen_ = actual == expected ? output.size() : outputSeen_;
  }
  return actual == expected ? "" : "expected [" + expected + "], got [" + actual + "]";
}

std::string SessionPlayer::run(const SessionLine &line, const std::string &output) {
  if (needsScreen(line))
    return "";
  if (!isInputStep(line))
    return apply(line, workDirectory_, output);
  for (const InputEvent &event : events(line))
    if (std::string fault = feed(event); !fault.empty())
      return fault;
  return "";
}
