#pragma once
// The whole run of the editor: start-up, the event loop, shut-down.

// Opens the 1024 by 768 window, loads "comic.ttf" and "bmp/objets.bmp" from the working
// directory, opens again the unsaved work a previous run left (work_across_runs.h) and runs
// until Escape, the window is closed or a hang-up comes. Returns 0 after a normal run; 1
// when the library, the video mode, the text renderer, the font or the sprite sheet cannot be
// set up, after printing one line saying which to standard output.
int runEditor();
