#include "tools/place_pattern.h"
// Not yet built.
