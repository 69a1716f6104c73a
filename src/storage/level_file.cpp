#include "storage/level_file.h"
// Not yet built.
