// Runs one session file (see tests/support/session.h) through the editor's input handling in a
// fresh working directory, what the editor prints going to a file for "expect output". Prints
// where the session failed and exits 1. Built twice: on the core alone, and with PIXELS, where
// it also checks the pixel expectations on frames drawn headless.

#include "../support/invariants.h"
#include "../support/session.h"
#ifdef PIXELS
#include "../support/frame_check.h"
#endif

#include <cstdio>
#include <filesystem>
#include <optional>

namespace fs = std::filesystem;

int main(int argc, char **argv) {
  std::string fault;
  const std::vector<SessionLine> lines = readSession(argc == 2 ? argv[1] : "", fault);
  const ScratchDirectory scratch;
  const std::string &work = scratch.path();
  if (!fault.empty() || work.empty()) {
    std::fprintf(stderr, "%s\n", fault.c_str());
    return 1;
  }
  if (std::freopen((work + "stdout").c_str(), "w", stdout) == nullptr)
    return 1;
#ifdef PIXELS
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  const RenderSetup setup(ResourcePaths{RUN_DIR "/comic.ttf", RUN_DIR "/bmp/objets.bmp"});
  if (!setup.ok())
    return 1;
  int reads = 0;
#endif
  const std::string sessionDirectory = fs::path(argv[1]).parent_path().string();
  std::optional<SessionPlayer> current;
  int failedLine = 0;
  for (auto line = lines.begin(); fault.empty() && line != lines.end(); ++line) {
    if (line == lines.begin() || line->fresh) {
      // A row of a table starts anew, its level directory empty.
      fs::remove_all(work + "niv");
      fs::create_directory(work + "niv");
      current.emplace(sessionDirectory, work);
    }
    SessionPlayer &player = *current;
    std::fflush(stdout);
    fault = player.run(*line, fileBytes(work + "stdout"));
#ifdef PIXELS
    if (isPixelStep(*line)) {
      drawAtRest(setup.resources(), player.editor, work + "niv/", reads);
      fault = checkPixels(*line, setup.resources());
    } else if (line->words.size() > 2 && line->words[1] == "reads" &&
               std::to_string(reads) != line->words[2]) {
      fault = "the preview read " + std::to_string(reads) + " level files";
    }
#endif
    failedLine = line->number;
  }
  if (!fault.empty())
    std::fprintf(stderr, "%s:%d: %s\n", argv[1], failedLine, fault.c_str());
  return fault.empty() ? 0 : 1;
}
