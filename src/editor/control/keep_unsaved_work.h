#pragma once
// Nothing a designer made may be lost when the editor ends: unsaved work is written to the
// backup folder first, on a quit as when the display goes away.

#include "editor/editor.h"
#include "storage/level_format.h"

#include <ctime>
#include <string>

// The author a kept file carries: the one the level was last saved or opened with, or
// "inconnu" when there is none, so that every kept file is a sound level (level_check.h).
std::string keptAuthor(const Editor &editor);

// The bytes of the level as unsaved work is kept: formatLevel of the bricks, with keptAuthor.
std::string unsavedLevelBytes(const Editor &editor);

// When the level differs from what was last saved or opened (hasUnsavedWork), writes
// unsavedLevelBytes to levelDirectory/.backup/non-sauvegarde.<time>.lvbk and prints one line
// saying where, or why it could not. Nothing is written when nothing changed. Returns the path
// written, or "".
std::string keepUnsavedWork(const Editor &editor,
                            const std::string &levelDirectory = LevelDirectory,
                            std::time_t now = std::time(nullptr));
