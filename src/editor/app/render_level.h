#pragma once
// brickedit --render: a level's playing field as the editor shows it, written to a picture,
// with no display at all.

#include "editor/cli/command_line.h"

// Draws the field of command.files[0] with the sheet at command.sheetPath and writes it to
// command.output, enlarged command.scale times. Returns 0, or 1 after one line on standard
// error; nothing but the picture is ever written, and a failed picture leaves no file.
int renderLevel(const CommandLine &command);
