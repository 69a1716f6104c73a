// Runs session files (see tests/support/session.h) through the editor's input handling, each in
// a fresh working directory, with what the editor prints captured for "expect output". Prints
// one line per failed session and exits 1 when any failed. Built twice: on the core alone, and
// with PIXELS, where it also checks the pixel expectations on frames drawn headless.

#include "../support/session.h"
#ifdef PIXELS
#include "../support/frame_check.h"
#endif

#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace fs = std::filesystem;
struct RenderResources;

namespace {

bool runSession(const std::string &path, [[maybe_unused]] const RenderResources *screen) {
  std::string error;
  const std::vector<SessionLine> lines = readSession(path, error);
  std::string work = (fs::temp_directory_path() / "brickedit-session-XXXXXX").string();
  if (!error.empty() || mkdtemp(work.data()) == nullptr) {
    std::fprintf(stderr, "%s\n", error.empty() ? "no scratch directory" : error.c_str());
    return false;
  }
  work += "/";
  fs::create_directory(work + "niv");
  const std::string outputPath = work + "stdout";
  std::fflush(stdout);
  const int savedStdout = dup(1);
  const int output = open(outputPath.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600);
  dup2(output, 1);
  close(output);

  SessionPlayer player(fs::path(path).parent_path().string(), work);
  std::string fault;
  int failedLine = 0;
  for (const SessionLine &line : lines) {
    std::fflush(stdout);
    std::ifstream printed(outputPath, std::ios::binary);
#ifdef PIXELS
    if (isPixelStep(line)) {
      drawAtRest(*screen, player.editor);
      fault = checkPixels(line, *screen);
    } else
#endif
      fault = player.run(line, std::string(std::istreambuf_iterator<char>(printed), {}));
    if (!fault.empty()) {
      failedLine = line.number;
      break;
    }
  }
  std::fflush(stdout);
  dup2(savedStdout, 1);
  close(savedStdout);
  fs::remove_all(work);
  if (!fault.empty())
    std::fprintf(stderr, "%s:%d: %s\n", path.c_str(), failedLine, fault.c_str());
  return fault.empty();
}

} // namespace

int main(int argc, char **argv) {
  const RenderResources *screen = nullptr;
#ifdef PIXELS
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  const RenderSetup setup(ResourcePaths{RUN_DIR "/comic.ttf", RUN_DIR "/bmp/objets.bmp"});
  if (!setup.ok())
    return 1;
  screen = &setup.resources();
#endif
  int failed = 0;
  for (int i = 1; i < argc; ++i)
    failed += runSession(argv[i], screen) ? 0 : 1;
  std::fprintf(stderr, "%d of %d sessions passed\n", argc - 1 - failed, argc - 1);
  return failed == 0 && argc > 1 ? 0 : 1;
}
