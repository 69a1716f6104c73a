#include "editor/app/render_level.h"
#include "editor/app/run_editor.h"
#include "editor/cli/command_line.h"
#include "editor/cli/simulate.h"

#include <iostream>

// With no arguments, the editor; otherwise the command-line companions, which need no window.
int main(int argc, char **argv) {
  const CommandLine command = parseCommandLine(argc, argv);
  switch (command.action) {
  case CommandLine::RunEditor:
    return runEditor();
  case CommandLine::Check:
    return runCheck(command.files, std::cout, std::cerr);
  case CommandLine::Simulate:
    return runSimulate(command.files, std::cout, std::cerr);
  case CommandLine::Render:
    return renderLevel(command);
  case CommandLine::Help:
    std::cout << usageText();
    return 0;
  case CommandLine::Version:
    std::cout << "brickedit " BRICKEDIT_VERSION "\n";
    return 0;
  case CommandLine::UsageError:
    break;
  }
  std::cerr << "brickedit: " << command.error << "\n" << usageText();
  return 2;
}
