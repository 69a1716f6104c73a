#include "session.h"

#include "editor/control/handle_input.h"
#include "invariants.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>

namespace fs = std::filesystem;

namespace {

struct NamedKey {
  const char *name;
  Key key;
  uint16_t character;
  unsigned long keysym;
};
constexpr NamedKey NamedKeys[] = {{"Return", Key::Return, 13, 0xff0d},
                                  {"KP_Enter", Key::KeypadEnter, 13, 0xff8d},
                                  {"Escape", Key::Escape, 27, 0xff1b},
                                  {"BackSpace", Key::Backspace, 8, 0xff08},
                                  {"Tab", Key::Other, 9, 0xff09}};

const char *const ModeNames[] = {"Editing", "EnteringLevelName", "EnteringAuthorName",
                                 "BrowsingLevels"};
const std::pair<const char *, int32_t EditorState::*> StateFields[] = {
    {"painting", &EditorState::painting},
    {"spacingX", &EditorState::spacingX},
    {"spacingY", &EditorState::spacingY},
    {"patternWidth", &EditorState::patternWidth},
    {"patternHeight", &EditorState::patternHeight},
    {"patternMinCol", &EditorState::patternMinCol},
    {"patternMaxCol", &EditorState::patternMaxCol},
    {"patternMinRow", &EditorState::patternMinRow},
    {"patternMaxRow", &EditorState::patternMaxRow},
    {"brickCount", &EditorState::brickCount},
    {"offsetX", &EditorState::offsetX},
    {"offsetY", &EditorState::offsetY},
    {"relativeX", &EditorState::relativeX},
    {"relativeY", &EditorState::relativeY},
    {"browserScroll", &EditorState::browserScroll}};

std::vector<std::string> split(const std::string &text) {
  std::vector<std::string> words;
  for (std::size_t at = text.find_first_not_of(' '); at != std::string::npos;
       at = text.find_first_not_of(' ', at)) {
    const bool quoted = text[at] == '"';
    const std::size_t end = text.find(quoted ? '"' : ' ', at + 1);
    words.push_back(text.substr(at + quoted, end == std::string::npos ? end : end - at - quoted));
    at = end == std::string::npos ? end : end + 1;
  }
  return words;
}

std::string joined(const std::vector<std::string> &words, std::size_t from) {
  std::string text;
  for (std::size_t i = from; i < words.size(); ++i)
    text += (i > from ? " " : "") + words[i];
  return text;
}

// The bytes of a file, or "none" when there is no such file.
std::string bytesOf(const std::string &path) {
  std::ifstream file(path, std::ios::binary);
  return file ? std::string(std::istreambuf_iterator<char>(file), {}) : "none";
}

int buttonNamed(const std::string &name) {
  return name == "left" ? MouseLeft : name == "right" ? MouseRight : MouseMiddle;
}

std::string stateValue(const Editor &editor, const std::string &field) {
  if (field == "mode")
    return ModeNames[editor.state.mode & 3];
  if (field == "currentBrickType")
    return std::to_string(editor.currentBrickType);
  if (field == "quit")
    return std::to_string(editor.quitRequested);
  for (const auto &[name, member] : StateFields)
    if (field == name)
      return std::to_string(editor.state.*member);
  return "(no field " + field + ")";
}

} // namespace

std::vector<SessionLine> readSession(const std::string &path, std::string &error) {
  std::ifstream file(path, std::ios::binary);
  std::vector<SessionLine> lines;
  std::string text;
  for (int number = 1; std::getline(file, text); ++number) {
    if (number == 1 && text.rfind("# ", 0) != 0)
      error = path + ": the first line must say what the session checks";
    if (text.empty() || text[0] == '#')
      continue;
    const std::size_t blank = text.find(' ');
    lines.push_back(
        {number, split(text), blank == std::string::npos ? "" : text.substr(blank + 1)});
  }
  if (lines.empty() && error.empty())
    error = path + ": no steps";
  return error.empty() ? lines : std::vector<SessionLine>{};
}

bool isInputStep(const SessionLine &line) {
  static const std::set<std::string> steps = {"move",  "press", "release", "click", "drag",
                                              "wheel", "key",   "type",    "close"};
  return steps.count(line.words[0]) != 0;
}

bool needsScreen(const SessionLine &line) {
  static const std::set<std::string> kinds = {"frame", "exit", "box", "ink", "text"};
  return line.words[0] == "expect" && line.words.size() > 1 && kinds.count(line.words[1]) != 0;
}

unsigned long keysymOf(const InputEvent &event) {
  for (const NamedKey &named : NamedKeys)
    if (named.key == event.key && named.character == event.character)
      return named.keysym;
  return event.character;
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
}

std::vector<InputEvent> SessionPlayer::events(const SessionLine &line) {
  const std::vector<std::string> &w = line.words;
  std::vector<int> n;
  for (std::size_t i = 1; i < w.size(); ++i)
    n.push_back(std::atoi(w[i].c_str()));
  std::vector<InputEvent> out;
  const std::string &step = w[0];
  if (step == "move")
    mouse(out, InputKind::Motion, n[0], n[1], 0);
  for (int i = 0; i < (step == "click" && n.size() > 3 ? n[3] : 1); ++i) {
    if (step == "press" || step == "click")
      mouse(out, InputKind::ButtonDown, n[0], n[1], buttonNamed(w[3]));
    if (step == "release" || step == "click")
      mouse(out, InputKind::ButtonUp, n[0], n[1], buttonNamed(w[3]));
  }
  if (step == "drag") {
    mouse(out, InputKind::ButtonDown, n[0], n[1], MouseLeft);
    const int steps = std::max(1, std::max(std::abs(n[2] - n[0]), std::abs(n[3] - n[1])) /
                                      (n.size() > 4 ? n[4] : 1));
    for (int i = 1; i <= steps; ++i)
      mouse(out, InputKind::Motion, n[0] + (n[2] - n[0]) * i / steps,
            n[1] + (n[3] - n[1]) * i / steps, 0);
    mouse(out, InputKind::ButtonUp, n[2], n[3], MouseLeft);
  }
  for (int i = 0; step == "wheel" && i < (n.size() > 1 ? n[1] : 1); ++i)
    for (InputKind kind : {InputKind::ButtonDown, InputKind::ButtonUp})
      mouse(out, kind, pointerX_, pointerY_, w[1] == "up" ? WheelUp : WheelDown);
  for (const NamedKey &named : NamedKeys)
    for (int i = 0; step == "key" && w[1] == named.name && i < (n.size() > 1 ? n[1] : 1); ++i)
      out.push_back({InputKind::KeyDown, 0, 0, 0, named.key, named.character});
  for (char c : step == "type" ? line.rest : "")
    out.push_back({InputKind::KeyDown, 0, 0, 0, Key::Other, static_cast<uint8_t>(c)});
  if (step == "close")
    out.push_back({InputKind::Quit});
  return out;
}

std::string SessionPlayer::feed(const InputEvent &event) {
  const Editor before = editor;
  handleInput(event, editor, workDirectory_ + "niv/");
  return brokenRule(before, event, editor, workDirectory_ + "niv/");
}

std::string SessionPlayer::apply(const SessionLine &line, const std::string &directory,
                                 const std::string &output) {
  const std::vector<std::string> &w = line.words;
  if (w[0] == "level") {
    const fs::path from = fs::path(sessionDirectory_) / w[1];
    std::error_code failed;
    fs::copy_file(from, directory + "niv/" + (w.size() > 2 ? w[2] : from.filename().string()),
                  fs::copy_options::overwrite_existing, failed);
    return failed ? "cannot copy " + from.string() + ": " + failed.message() : "";
  }
  if (w[0] == "without") {
    fs::remove_all(directory + w[1]);
    return "";
  }
  if (w[0] != "expect" || w.size() < 2)
    return "unknown step: " + w[0];

  const std::string &what = w[1];
  std::string expected = joined(w, 2), actual;
  if (what == "bricks") {
    for (int32_t i = 0; i < editor.state.brickCount; ++i) {
      const Brick &b = editor.bricks[i];
      actual += (i > 0 ? " " : "") + std::to_string(b.x) + ";" + std::to_string(b.y) + ";" +
                std::to_string(b.type);
    }
  } else if (what == "count") {
    actual = std::to_string(editor.state.brickCount);
  } else if (what == "state") {
    for (std::size_t i = 2; i + 1 < w.size(); i += 2)
      actual += (i > 2 ? " " : "") + w[i] + " " + stateValue(editor, w[i]);
  } else if (what == "cells") {
    for (int i = 0; i < BrickSlots; ++i)
      if (editor.selection[i] != 0)
        actual += (actual.empty() ? "" : " ") + std::to_string(i / GridRows) + "," +
                  std::to_string(i % GridRows);
  } else if (what == "help") {
    actual = editor.helpText;
  } else if (what == "fields") {
    actual = editor.levelNameField.text() + " " + editor.authorField.text();
  } else if (what == "list") {
    actual = joined(editor.levelList, 0);
  } else if (what == "file") {
    actual = bytesOf(directory + w[2]);
    expected = w[3] == "none" ? "none" : bytesOf(sessionDirectory_ + "/" + w[3]);
  } else if (what == "output") {
    // Messages name the level directory as given: shown from the working directory.
    std::string printed = output.substr(std::min(outputSeen_, output.size()));
    for (std::size_t at; (at = printed.find(directory)) != std::string::npos;)
      printed.erase(at, directory.size());
    const bool prefix =
        expected.size() >= 3 && expected.compare(expected.size() - 3, 3, "...") == 0;
    actual = prefix ? printed.substr(0, expected.size() - 3) + "..." : printed;
    if (actual == expected)
      outputSeen_ = output.size();
  } else {
    return "unknown expectation: " + what;
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
