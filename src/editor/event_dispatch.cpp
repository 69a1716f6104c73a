#include "editor/event_dispatch.h"
// Not yet built.
