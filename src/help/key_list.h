#pragma once
// The list of every key and gesture of the editor that F1 shows, one line each, in French
// (Latin-1), and where it is drawn: a grey box of its own, centred on the screen, high and wide
// enough for every line.

#include "editor/screen_layout.h"

constexpr int KeyListRows = 20;
// KeyListRows lines.
extern const char *const KeyListLines[];

// The lines stand 20 pixels apart, 10 pixels in from the box's top-left corner.
constexpr int KeyListLineStep = 20;
constexpr int KeyListInset = 10;
constexpr int KeyListWidth = 520;
constexpr int KeyListHeight = KeyListRows * KeyListLineStep + 2 * KeyListInset;
constexpr Box KeyListBox{(ScreenWidth - KeyListWidth) / 2, (ScreenHeight - KeyListHeight) / 2,
                         KeyListWidth, KeyListHeight};
