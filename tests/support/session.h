#pragma once
// Sessions as data. A session file (tests/data/sessions/*.session) scripts what a user does and
// what the editor must show after it, one step a line; its first line is a comment saying what
// it checks. Blank lines and lines starting with '#' are skipped. Words are separated by blanks;
// a word in double quotes keeps its blanks. Coordinates are screen pixels; Latin-1 bytes are
// taken as they are.
//
// A table (a .txt file beside the sessions) holds one case a row, each on an editor of its
// own: "STEP | STEP ... => EXPECTATION | EXPECTATION ...", the expectations without "expect".
//
// Files, relative to the session's working directory (levels live in its niv/):
//   level FIXTURE [NAME [N]] copy FIXTURE (relative to the session file) into niv/ as NAME, or
//                            N times as NAME01.lvbk, NAME02.lvbk...
//   without PATH             remove PATH (niv, comic.ttf, bmp/objets.bmp, niv/a.lvbk ...)
// Input; a mouse step first moves the pointer there when it is elsewhere, as a hand would:
//   move X Y
//   press X Y BUTTON | release X Y BUTTON      BUTTON: left, middle, right
//   click X Y BUTTON [N]     press and release, N times (1)
//   drag X1 Y1 X2 Y2 [STEP]  left press at 1, moves of STEP pixels (1), left release at 2
//                            (a mouse step ending in "shift" is made with Shift held)
//   wheel up|down [N]        N notches (1) at the pointer: a press and a release each
//   key NAME [N]             a letter or Return, KP_Enter, Escape, BackSpace, Tab, Delete,
//                            space, Up, Down, Left, Right, Prior, Next, F1, after "ctrl+" or
//                            "shift+" or both (ctrl+shift+z), N times (1)
//   type TEXT                one key per byte of the rest of the line
//   close                    the window is closed
//   wait MS                  MS milliseconds pass: a game plays them
// Expectations, checked against the editor at that point:
//   expect bricks X;Y;TYPE ...         the bricks in use, in slot order (none: no bricks)
//   expect count N                     brickCount
//   expect state FIELD VALUE ...       EditorState fields by name, currentBrickType, quit and
//                                      keys (the list of keys shown: 0, 1), highlight (the
//                                      browser's, -1 for none); mode by name (Editing, ...)
//   expect cells C,R ...               the selected pattern cells, column by column
//   expect selected SLOT ...           the slots of the selected bricks, in order (none: none)
//   expect help "TEXT"                 the help line, paths relative to the working directory
//   expect fields "LEVEL" "AUTHOR"     the two name fields
//   expect list NAME ...               levelList, in order
//   expect file PATH EXPECTED|none     the bytes of PATH are those of the file EXPECTED (relative
//                                      to the session file), or PATH does not exist; a '*' in
//                                      PATH's name stands for any text, in the one file it names
//   expect output "TEXT"               what was printed since the last such line; "TEXT..." a
//                                      prefix of it. Paths print relative to the working directory
//   mark N / expect mark N same|differs   the bricks (all slots), pattern grid and state, kept
//                                      as mark N (0..3), are or are not what the editor holds
//   expect steps N                     the undo steps kept
//   expect play none|PHASE balls N bricks N [autopilot]
//                                      the game being played: Waiting, Moving, Cleared, Lost
//   expect title "TEXT"                the window title
//   expect kept EXPECTED|none          the unsaved work the editor keeps when it ends now has
//                                      the bytes of EXPECTED, or nothing is kept
// Needing a screen, and skipped by a run without one: the pixel expectations of frame_check.h,
// "expect reads N" (the level files read so far for the browser's preview);
// in a real window also "expect frame" (the screen equals the frame drawn headless from the
// same events), "expect screen box|ink|text ..." (a pixel expectation on the real screen),
// "expect exit N" (the editor ended with status N; 128 + N after signal N), "lose display" (the
// X server closes the editor's connection), "signal HUP|KILL" (the editor gets that signal) and
// "restart [empty]" (the editor starts again in the same directory; the headless side keeps its
// editor, or starts a fresh one with "empty"); there "expect title" checks the window's too.
// After the last step every file the editor left in niv/.backup/ must pass checkLevelFile.

#include "editor/control/input_event.h"
#include "editor/editor.h"
#include "editor/history.h"

#include <filesystem>
#include <stdlib.h>
#include <string>
#include <vector>

// A fresh temporary directory, removed with its contents; path() ends in a slash.
class ScratchDirectory {
public:
  ScratchDirectory() : path_(std::filesystem::temp_directory_path() / "brickedit-XXXXXX") {
    path_ = mkdtemp(path_.data()) != nullptr ? path_ + "/" : "";
  }
  ~ScratchDirectory() { std::filesystem::remove_all(path_, ignored_); }
  const std::string &path() const { return path_; }

private:
  std::string path_;
  std::error_code ignored_;
};

struct SessionLine {
  int number;
  std::vector<std::string> words;
  std::string rest; // everything after the first word and its blank, as written
  bool fresh;       // a table's row starts here, on an editor of its own
};

// The steps of a session file; on an unreadable file, or one that does not start with a
// comment, none and an error.
std::vector<SessionLine> readSession(const std::string &path, std::string &error);

bool isInputStep(const SessionLine &line);
bool needsScreen(const SessionLine &line);
// The X keysym a key event stands for: the named keys', else the character's.
unsigned long keysymOf(const InputEvent &event);

// Plays one session on an editor whose levels live in workDirectory + "niv/".
class SessionPlayer {
public:
  SessionPlayer(std::string sessionDirectory, std::string workDirectory);

  // The events an input step stands for, in order; moves the pointer that later steps start
  // from.
  std::vector<InputEvent> events(const SessionLine &line);
  // Hands one event to the editor, then checks every invariant: "" or the rule broken.
  std::string feed(const InputEvent &event);
  // Carries out a file step in the working directory given, or checks an expectation against
  // the editor, that directory and the output printed so far: "" or what differs.
  std::string apply(const SessionLine &line, const std::string &directory,
                    const std::string &output);
  // Any step, in this player's own working directory; steps that need a screen pass.
  std::string run(const SessionLine &line, const std::string &output);

  Editor editor;

private:
  void mouse(std::vector<InputEvent> &out, InputKind kind, int x, int y, int button);

  std::string sessionDirectory_;
  std::string workDirectory_;
  int pointerX_ = -1;
  int pointerY_ = -1;
  bool shift_ = false;
  uint32_t clock_ = 0;
  std::size_t outputSeen_ = 0;
  Work marks_[4]{};
};
