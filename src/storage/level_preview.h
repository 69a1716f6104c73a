#pragma once
// Keeps the browser's preview in step with the highlighted name: the level file is read and
// parsed when the highlight comes onto another name, and held until it leaves that name.

#include "editor/browser_preview.h"
#include "editor/editor.h"
#include "storage/level_file.h"

#include <functional>
#include <string>

// Reads a whole file into bytes, as readFileBytes does: the seam through which the preview
// reads, so that tests can count and fake the reads. readFileBytes prints nothing: a preview
// is not an open, and the reader's echo and messages belong to real opens.
using LevelBytesReader = std::function<FileRead(const std::string &path, std::string &bytes)>;

// Brings preview in line with the editor as the next frame shows it: with a name highlighted
// (highlightedLevel), that name's level, read through read from levelDirectory unless preview
// already holds that entry; otherwise no preview.
// A file the reader cannot read, or whose count it refuses, is kept as unreadable.
void refreshBrowserPreview(BrowserPreview &preview, const Editor &editor,
                           const LevelBytesReader &read = readFileBytes,
                           const std::string &levelDirectory = LevelDirectory);

// The preview to draw: editor.browserPreview when it holds the highlighted name as the list
// now stands, else nullptr, so a preview not yet brought in line is never drawn.
const BrowserPreview *shownBrowserPreview(const Editor &editor);

// The caption under the miniature, in Latin-1: "Auteur : Ana" ("Auteur inconnu" for a file
// with no author) and "42 briques" ("1 brique", and "0 brique" as French has it), and the two
// joined on one line by "  -  ".
std::string previewAuthorText(const std::string &author);
std::string previewCountText(int32_t brickCount);
std::string previewCaption(const std::string &author, int32_t brickCount);
