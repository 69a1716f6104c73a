#include "editor/cli/command_line.h"

#include "storage/level_check.h"

namespace {

CommandLine usageError(const std::string &error) {
  CommandLine line;
  line.action = CommandLine::UsageError;
  line.error = error;
  return line;
}

// A lone "-" is a file name, as is everything after "--".
bool isOption(const std::string &argument) {
  return argument.size() > 1 && argument[0] == '-';
}

bool endsWith(const std::string &text, const std::string &suffix) {
  return text.size() >= suffix.size() &&
         text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// "1".."4" only: a scale of 0, a sign or a suffix is a mistake worth hearing about.
bool readScale(const std::string &text, int &scale) {
  if (text.size() != 1 || text[0] < '1' || text[0] > '4')
    return false;
  scale = text[0] - '0';
  return true;
}

} // namespace

CommandLine parseCommandLine(int argc, char **argv) {
  CommandLine line;
  std::string actionOption;
  std::string renderOption;
  bool optionsEnded = false;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (!optionsEnded && argument == "--") {
      optionsEnded = true;
      continue;
    }
    if (optionsEnded || !isOption(argument)) {
      line.files.push_back(argument);
      continue;
    }
    if (argument == "--check" || argument == "--simulate" || argument == "--render" ||
        argument == "--help" || argument == "--version") {
      if (!actionOption.empty())
        return usageError(actionOption + " and " + argument + " cannot go together");
      actionOption = argument;
      line.action = argument == "--check"      ? CommandLine::Check
                    : argument == "--simulate" ? CommandLine::Simulate
                    : argument == "--render"   ? CommandLine::Render
                    : argument == "--help"     ? CommandLine::Help
                                               : CommandLine::Version;
    } else if (argument == "--scale" || argument == "--sheet") {
      if (i + 1 >= argc)
        return usageError(argument + " needs a value");
      const std::string value = argv[++i];
      if (argument == "--sheet")
        line.sheetPath = value;
      else if (!readScale(value, line.scale))
        return usageError("--scale takes a whole number from 1 to 4, not \"" + value + "\"");
      renderOption = argument;
    } else {
      return usageError("unknown option " + argument);
    }
  }

  if (line.action != CommandLine::Render && !renderOption.empty())
    return usageError(renderOption + " goes only with --render");
  switch (line.action) {
  case CommandLine::RunEditor:
    if (!line.files.empty())
      return usageError("unexpected argument " + line.files.front());
    break;
  case CommandLine::Check:
  case CommandLine::Simulate:
    if (line.files.empty())
      return usageError(actionOption + " needs at least one level file");
    break;
  case CommandLine::Render:
    if (line.files.size() != 2)
      return usageError("--render needs a level file and a picture to write");
    line.output = line.files.back();
    line.files.pop_back();
    // The name says the kind of picture; one that names another kind would be misleading.
    if (!endsWith(line.output, ".png") && !endsWith(line.output, ".bmp"))
      return usageError("--render writes a .png or a .bmp picture, not \"" + line.output + "\"");
    break;
  default:
    if (!line.files.empty())
      return usageError(actionOption + " takes no file");
    break;
  }
  return line;
}

const char *usageText() {
  return "usage: brickedit                        open the editor\n"
         "       brickedit --check FILE...        check level files, one report each\n"
         "       brickedit --simulate FILE...     play level files with the autopilot and\n"
         "                                        find bricks that can never be broken\n"
         "       brickedit --render FILE OUT [--scale N] [--sheet PATH]\n"
         "                                        draw the level into OUT (.png or .bmp)\n"
         "                                        enlarged N times (1 to 4)\n"
         "       brickedit --help | --version\n";
}

int runCheck(const std::vector<std::string> &files, std::ostream &out, std::ostream &err) {
  if (files.empty()) {
    err << "brickedit: --check needs at least one level file\n" << usageText();
    return 2;
  }
  bool allSound = true;
  for (const std::string &file : files) {
    const LevelCheck check = checkLevelFile(file);
    if (check.sound) {
      out << file << ": ok, " << check.brickCount << (check.brickCount == 1 ? " brick" : " bricks")
          << ", author \"" << printableText(check.authorWord) << "\"\n";
      continue;
    }
    allSound = false;
    out << file << ":\n";
    for (const std::string &problem : check.problems)
      out << "  " << problem << '\n';
  }
  out.flush();
  if (!out) {
    err << "brickedit: the report could not be written\n";
    return 1;
  }
  return allSound ? 0 : 1;
}
