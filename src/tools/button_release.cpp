#include "tools/button_release.h"
// Not yet built.
