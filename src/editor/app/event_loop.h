#pragma once
// The editor's event loop: hands every event to dispatchEvent at once, draws a frame when
// something changed once more than 25 ms have passed since the last one, and sleeps until
// input or the next frame due when there is nothing to do.

#include "editor/control/recovery_copy.h"
#include "editor/editor.h"
#include "render/render_resources.h"

#include <cstdint>

// Runs passes until a quit is requested or a hang-up comes (quit_signal.h); the pass that sees
// it still finishes. Each pass tends the recovery copy. lastFrameTicks is the tick count at the
// end of start-up.
void runEventLoop(const RenderResources &resources, Editor &editor, RecoveryCopy &recovery,
                  uint32_t lastFrameTicks);
