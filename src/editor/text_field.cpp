#include "editor/text_field.h"
// Not yet built.
