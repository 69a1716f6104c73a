#include "storage/level_browser.h"
// Not yet built.
