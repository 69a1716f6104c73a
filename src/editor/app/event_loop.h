#pragma once
// The editor's event loop: hands every event to dispatchEvent at once, draws a frame when
// something changed once more than 25 ms have passed since the last one, and sleeps until
// input or the next frame due when there is nothing to do.

#include "editor/editor.h"
#include "render/render_resources.h"

#include <cstdint>

// Runs passes until a quit is requested; the pass that sees the request still finishes.
// lastFrameTicks is the tick count at the end of start-up.
void runEventLoop(const RenderResources &resources, Editor &editor, uint32_t lastFrameTicks);
