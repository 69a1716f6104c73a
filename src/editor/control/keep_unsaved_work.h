#pragma once
// Nothing a designer made may be lost when the editor ends: unsaved work is written to the
// backup folder first, on a quit as when the display goes away.

#include "editor/editor.h"
#include "storage/level_format.h"

#include <ctime>
#include <string>

// When the level differs from what was last saved or opened (hasUnsavedWork), writes it with
// the author's name last typed to levelDirectory/.backup/non-sauvegarde.<time>.lvbk and prints
// one line saying where, or why it could not. Nothing is written when nothing changed. Returns
// the path written, or "".
std::string keepUnsavedWork(const Editor &editor,
                            const std::string &levelDirectory = LevelDirectory,
                            std::time_t now = std::time(nullptr));
