#include "tools/button_press.h"
// Not yet built.
