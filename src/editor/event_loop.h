#pragma once
// The editor's event loop: polls without ever sleeping, hands every event to dispatchEvent and
// draws a frame once more than 25 ms have passed since the last one.

#include "editor/editor.h"
#include "render/frame.h"

#include <cstdint>

// Runs passes until a quit is requested; the pass that sees the request still finishes.
// lastFrameTicks is the tick count at the end of start-up.
void runEventLoop(const RenderResources &resources, Editor &editor, uint32_t lastFrameTicks);
