// Undo and redo through the dispatch, driven by the events a user makes: each kind of step
// taken back and done again exactly, the actions that make no step, the bound, the keys outside
// the Editing mode, the window title and the saved bytes.

#include "editor/control/handle_input.h"
#include "editor/screen_layout.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <tuple>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

const std::map<char, Box> Buttons{
    {'C', ClearAllBox},         {'S', SaveBox},         {'O', OpenBox}, {'A', plusBox(SpacingXRow)},
    {'B', plusBox(OffsetYRow)}, {'D', Chooser.bounds()}};

std::string repeat(const std::string &words, int times) {
  return times == 0 ? "" : words + repeat(words, times - 1);
}
// Three bricks of type 1, three steps; then the level saved as "a" by "b".
const std::string Three = "L100,100 L300,100 L500,200 ", Saved = Three + "S Ea E Eb E ";
// An action between marks 0 and 1, then undone, redone, undone and redone with Shift: the work
// must be as marked each time.
std::string undone(const std::string &setup, const std::string &action) {
  return Three + setup + " #0 " + action + " #1 !0 z =0 y =1 z Z =1";
}

// A fresh editor, with a level directory holding the one level "Pyr".
struct Session {
  Session() {
    fs::create_directory(dir);
    std::ofstream(dir + "Pyr.lvbk", std::ios::binary) << "2\r\n24;30;5\r\n64;30;22\r\nab";
  }
  ~Session() { fs::remove_all(dir); }
  Work work() const { return Work{editor.bricks, editor.selection, editor.state}; }
  void send(InputEvent event) { handleInput(event, editor, levelDirectory); }

  // One action per word. Lx,y and Rx,y click the left or right button; Px,y, Mx,y and Ux,y
  // press the left button, move, release it; Gc,r and Hc,r click pattern cell (c, r) left or
  // right; Tn clicks palette type n; C, S and O click "Effacer tout !", "Sauvegarder !" and
  // "Ouvrir niveau"; A the spacingX plus, B the offsetY plus (right), D the chooser's first
  // cell; W the wheel. z is Ctrl+Z, y Ctrl+Y, Z Ctrl+Shift+Z; Ec types c, E alone is Return.
  // #n marks the work; =n and !n expect it to be, or not to be, as marked. F keeps the bytes of
  // the saved level "a"; f expects them again. X sends saves to a missing directory, or back.
  void run(const std::string &words) {
    std::istringstream in(words);
    for (std::string word; in >> word;) {
      const char op = word[0];
      int a = 0, b = 0;
      std::sscanf(word.c_str() + 1, "%d,%d", &a, &b);
      const Work now = work();
      if (op == '#')
        marks[a] = now;
      if (op == '=' || op == '!') {
        EXPECT_EQ(std::memcmp(&marks[a], &now, sizeof now) == 0, op == '=') << word;
      }
      if (op == 'X')
        levelDirectory = levelDirectory == dir ? "/nonexistent/" : dir;
      if (op == 'F' || op == 'f') {
        std::ostringstream bytes;
        bytes << std::ifstream(dir + "a.lvbk", std::ios::binary).rdbuf();
        EXPECT_TRUE(op == 'F' || bytes.str() == file) << "saved bytes differ";
        file = bytes.str();
      }
      if (std::strchr("zyZE", op) != nullptr) {
        const char c = op == 'E' ? (word.size() > 1 ? word[1] : '\r') : char(std::tolower(op));
        const Key key = op != 'E'   ? (c == 'y' ? Key::Y : Key::Z)
                        : c == '\r' ? Key::Return
                                    : Key::Other;
        send({InputKind::KeyDown, 0, 0, 0, key, uint16_t(c), op != 'E', op == 'Z'});
      }
      if (std::strchr("LRPMUGHTCSOABDW", op) != nullptr)
        mouse(op, a, b);
    }
  }
  void mouse(char op, int a, int b) {
    Box box = Buttons.count(op) != 0 ? Buttons.at(op) : Box{a - 5, b - 5, 0, 0};
    if (op == 'G' || op == 'H')
      box = Box{PatternGrid.cellX(a), PatternGrid.cellY(b), 0, 0};
    if (op == 'T')
      box = Box{palettePosition(a).x, palettePosition(a).y, 0, 0};
    const int button = op == 'W' ? WheelDown : std::strchr("RHB", op) ? MouseRight : MouseLeft;
    const auto x = uint16_t(box.x + 5), y = uint16_t(box.y + 5);
    if (op != 'M' && op != 'U')
      send({InputKind::ButtonDown, x, y, button});
    if (op == 'M')
      send({InputKind::Motion, x, y});
    if (op != 'M' && op != 'P')
      send({InputKind::ButtonUp, x, y, button});
  }

  const std::string dir =
      (fs::temp_directory_path() / ("undo-" + std::to_string(getpid()))).string() + "/";
  std::string levelDirectory = dir;
  Editor editor;
  Work marks[2];
  std::string file;
};

TEST(UndoHistory, SessionsOfStepsKeysTitlesAndSaves) {
  // The script; then brickCount, the steps kept, patternWidth, the title and unsaved work.
  const std::tuple<std::string, int, std::size_t, int, const char *, bool> cases[] = {
      {undone("", "P200,300 M240,300 M280,300 M320,300 U320,300"), 7, 4, 40, "BrickEdit *", true},
      {undone("T5", "R110,105"), 3, 4, 40, "BrickEdit *", true},
      {undone("T1", "R110,105"), 2, 4, 40, "BrickEdit *", true},
      {undone("", "G3,2"), 3, 4, 160, "BrickEdit *", true},
      {undone("", "H4,3"), 3, 4, 200, "BrickEdit *", true},
      {undone("G2,0 A B D", "C"), 0, 5, 40, "BrickEdit", false},
      {undone("", "O L500,280"), 2, 4, 40, "BrickEdit - Pyr", false},
      {Three + "O L500,280 z", 3, 4, 40, "BrickEdit - Pyr *", true},
      {Three + "L110,105 R700,400 R110,105 A D T7 W", 3, 3, 40, "BrickEdit *", true},
      {Three + "G1,0 G2,0 A z", 3, 5, 81, "BrickEdit *", true},
      {Saved + "F T1 R110,105 X S E E X", 2, 4, 40, "BrickEdit - a *", true},
      {Saved + "F T1 R110,105 z S E E f", 3, 4, 40, "BrickEdit - a", false},
      {Saved + "T1 R110,105 z G1,1 y", 3, 4, 80, "BrickEdit - a *", false},
      {Three + "S z E Eb E O z", 3, 3, 40, "BrickEdit - z", false},
      {repeat("G3,2 ", 1001) + repeat("z ", 1001), 0, 1000, 160, "BrickEdit *", false},
  };
  for (const auto &[words, bricks, steps, patternWidth, title, unsaved] : cases) {
    SCOPED_TRACE(words.substr(0, 80));
    Session session;
    session.run(words);
    const Editor &editor = session.editor;
    EXPECT_EQ(editor.state.brickCount, bricks);
    EXPECT_EQ(editor.history.steps.size(), steps);
    EXPECT_EQ(editor.state.patternWidth, patternWidth);
    EXPECT_EQ(windowTitle(editor), title);
    EXPECT_EQ(hasUnsavedWork(editor), unsaved);
  }
}

} // namespace
