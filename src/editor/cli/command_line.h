#pragma once
// What the program's arguments ask for, and the --check runner. Kept apart from any window so
// that a level designer or a script can check levels where no display exists.
//
//   brickedit                                  open the editor
//   brickedit --check FILE...                  check level files
//   brickedit --simulate FILE...               play level files with the autopilot
//   brickedit --render FILE OUT [--scale N] [--sheet PATH]
//   brickedit --help | --version

#include <ostream>
#include <string>
#include <vector>

struct CommandLine {
  enum Action { RunEditor, Check, Simulate, Render, Help, Version, UsageError } action = RunEditor;
  // Check, Simulate: the level files, as given. Render: the one level file.
  std::vector<std::string> files;
  // Render: the picture to write, a PNG ending in ".png" or a BMP ending in ".bmp".
  std::string output;
  // Render: each field pixel becomes scale by scale pixels, 1..4.
  int scale = 1;
  std::string sheetPath = "bmp/objets.bmp";
  // UsageError: one line saying what is wrong, without a line end.
  std::string error;
};

// No arguments run the editor. Exactly one of --check, --simulate, --render, --help, --version
// picks the action; --scale and --sheet take the next argument as their value and go only with
// --render, anywhere after the program name; "--" makes every later argument a file name. Any
// other
// argument that starts with "-", but a lone "-", is an unknown option. On a usage error the
// caller prints "brickedit: " + error and usageText() to standard error and exits with 2.
CommandLine parseCommandLine(int argc, char **argv);

// The usage lines, each ended by a line end.
const char *usageText();

// Prints one report per file to out, in the order given:
//   FILE: ok, N bricks, author "NAME"        ("1 brick" for one; NAME as under printableText)
//   FILE:                                    then each problem on its own line, after two blanks
// Returns 0 when every file is sound, 1 when any has a problem or out fails, 2 (with the usage
// on err) when files is empty.
int runCheck(const std::vector<std::string> &files, std::ostream &out, std::ostream &err);
