#pragma once
// The list of every key (F1), over the editor picture dimmed as behind a dialog.

#include "render/frame.h"

// Dims the picture drawFrame drew on backSurface onto the screen, then draws the grey box with
// the lines of the list in white, one a row.
void drawKeyList(const RenderResources &resources);
