#include "help/hover_help.h"
// Not yet built.
