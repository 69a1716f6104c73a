#include "editor/app/run_editor.h"

// The editor takes no arguments.
int main(int, char **) {
  return runEditor();
}
