#pragma once
// The browser's preview of the highlighted level, drawn in the dialog beside the names.

#include "editor/editor.h"
#include "render/render_resources.h"

// When a name is highlighted and the editor holds its level (shownBrowserPreview):
// the level's field at quarter scale in a black outline, each brick its miniature, with the
// author and brick count under it, or "Niveau illisible" in the field for a level that could
// not be read. Otherwise draws nothing at all.
void drawBrowserPreview(const RenderResources &resources, const Editor &editor);
