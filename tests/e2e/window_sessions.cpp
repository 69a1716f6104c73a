// Plays a session file (see tests/support/session.h) on the real editor in the X display that
// xvfb-run provides: input through XTest on one connection, the files and output checked as the
// editor writes them, its screen against the frame drawn headless from the same events (which
// also carry the session's other expectations). Words after the session file start the editor
// under that command, say valgrind. Exits 1 at the first step that fails.

#include "../support/frame_check.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Where the pointer rests when the editor starts: over no region.
constexpr int ParkX = 1023, ParkY = 767;

std::string readFile(const std::string &path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

// Pixels of the screen that differ from the surface, or -1 while the screen is all black.
long differences(Display *x, SDL_Surface *surface) {
  XImage *image = XGetImage(x, DefaultRootWindow(x), 0, 0, 1024, 768, AllPlanes, ZPixmap);
  long differing = 0, lit = 0;
  for (int row = 0; row < 768; ++row)
    for (int column = 0; column < 1024; ++column) {
      const unsigned long shown = XGetPixel(image, column, row) & 0xffffff;
      lit += shown != 0;
      if (surface != nullptr)
        differing +=
            shown !=
            (static_cast<const Uint32 *>(surface->pixels)[row * surface->pitch / 4 + column] &
             0xffffff);
    }
  XDestroyImage(image);
  return lit == 0 ? -1 : differing;
}

// Closes the editor's window as a window manager does, with WM_DELETE_WINDOW.
void closeWindow(Display *x) {
  Window root, parent, *children = nullptr;
  unsigned count = 0;
  XQueryTree(x, DefaultRootWindow(x), &root, &parent, &children, &count);
  for (unsigned i = 0; i < count; ++i) {
    XWindowAttributes attributes;
    if (XGetWindowAttributes(x, children[i], &attributes) == 0 ||
        attributes.map_state != IsViewable)
      continue;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = children[i];
    event.xclient.message_type = XInternAtom(x, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(x, "WM_DELETE_WINDOW", False));
    XSendEvent(x, children[i], False, NoEventMask, &event);
  }
  XFree(children);
}

std::string send(Display *x, const InputEvent &event) {
  if (event.kind == InputKind::Motion)
    XTestFakeMotionEvent(x, -1, event.x, event.y, CurrentTime);
  if (event.kind == InputKind::ButtonDown || event.kind == InputKind::ButtonUp)
    XTestFakeButtonEvent(x, event.button, event.kind == InputKind::ButtonDown, CurrentTime);
  if (event.kind == InputKind::Quit)
    closeWindow(x);
  if (event.kind == InputKind::KeyDown) {
    const KeySym symbol = keysymOf(event);
    const KeyCode code = XKeysymToKeycode(x, symbol);
    if (code == 0)
      return "no key gives the keysym " + std::to_string(symbol);
    const KeyCode shift =
        XkbKeycodeToKeysym(x, code, 0, 0) != symbol ? XKeysymToKeycode(x, XK_Shift_L) : 0;
    for (const auto &[key, down] :
         {std::pair{shift, True}, {code, True}, {code, False}, {shift, False}})
      if (key != 0)
        XTestFakeKeyEvent(x, key, down, CurrentTime);
    XSync(x, False);
    // The library takes a release and a press of one key within 2 ms for a key repeat.
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  XSync(x, False);
  return "";
}

} // namespace

int main(int argc, char **argv) {
  std::string fault;
  const std::vector<SessionLine> lines = readSession(argc > 1 ? argv[1] : "", fault);
  Display *x = XOpenDisplay(nullptr);
  if (!fault.empty() || x == nullptr) {
    std::fprintf(stderr, "%s\n", x == nullptr ? "no X display" : fault.c_str());
    return 1;
  }
  const std::vector<std::string> command(argv + 2, argv + argc);
  const auto patience = std::chrono::seconds(command.empty() ? 10 : 300);
  // What the headless side prints (the authors it echoes) is not the editor's output.
  if (std::freopen("/dev/null", "w", stdout) == nullptr)
    return 1;
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  const RenderSetup headless(ResourcePaths{RUN_DIR "/comic.ttf", RUN_DIR "/bmp/objets.bmp"});

  // The editor's working directory, its resources linked in; the headless side's beside it.
  std::string work = (fs::temp_directory_path() / "brickedit-window-XXXXXX").string();
  if (mkdtemp(work.data()) == nullptr || !headless.ok())
    return 1;
  work += "/";
  const std::string mirror = work + "headless/";
  fs::create_directories(work + "bmp");
  fs::create_directories(mirror + "niv");
  fs::create_directory(work + "niv");
  fs::create_symlink(RUN_DIR "/comic.ttf", work + "comic.ttf");
  fs::create_symlink(RUN_DIR "/bmp/objets.bmp", work + "bmp/objets.bmp");
  SessionPlayer player(fs::path(argv[1]).parent_path().string(), mirror);

  pid_t editor = 0;
  int status = -1;
  auto waitFor = [&](const std::function<std::string()> &check) {
    const auto deadline = std::chrono::steady_clock::now() + patience;
    std::string result = check();
    while (!result.empty() && std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
      if (editor > 0 && waitpid(editor, &status, WNOHANG) == editor)
        editor = -1;
      result = check();
    }
    return result;
  };
  // Starts the editor with the pointer parked; started once its window shows a frame, or ended.
  auto launch = [&] {
    XTestFakeMotionEvent(x, -1, ParkX, ParkY, CurrentTime);
    XSync(x, False);
    editor = fork();
    if (editor == 0) {
      std::vector<std::string> words = command;
      words.push_back(RUN_DIR "/brickedit");
      std::vector<char *> arguments;
      for (std::string &word : words)
        arguments.push_back(word.data());
      arguments.push_back(nullptr);
      unsetenv("SDL_VIDEODRIVER");
      if (chdir(work.c_str()) == 0 && std::freopen("stdout", "w", stdout) &&
          std::freopen("stderr", "w", stderr))
        execvp(arguments[0], arguments.data());
      _exit(127);
    }
    const std::string started =
        waitFor([&] { return editor < 0 || differences(x, nullptr) >= 0 ? "" : "no frame shown"; });
    // The window's first motion is at the pointer: the headless side gets it too.
    return started.empty() ? player.feed(player.events(SessionLine{
                                 0, {"move", std::to_string(ParkX), std::to_string(ParkY)}, ""})[0])
                           : started;
  };
  auto play = [&](const SessionLine &line) {
    const std::string what = line.words.size() > 1 ? line.words[1] : "";
    std::string result;
    if (isInputStep(line)) {
      for (const InputEvent &event : player.events(line))
        if (result.empty() && (result = send(x, event)).empty())
          result = player.feed(event);
    } else if (what == "frame") {
      drawAtRest(headless.resources(), player.editor);
      result = waitFor([&] {
        const long differing = differences(x, headless.resources().screen);
        return differing == 0
                   ? ""
                   : std::to_string(differing) + " pixels differ from the frame drawn headless";
      });
    } else if (what == "exit") {
      result = waitFor([&] { return editor < 0 ? "" : "the editor is still running"; });
      if (result.empty() &&
          (!WIFEXITED(status) || WEXITSTATUS(status) != std::atoi(line.words[2].c_str())))
        result = "the editor ended with status " + std::to_string(WEXITSTATUS(status)) +
                 ", signal " + std::to_string(WIFSIGNALED(status) ? WTERMSIG(status) : 0);
    } else if (what == "file" || what == "output") {
      result = waitFor([&] { return player.apply(line, work, readFile(work + "stdout")); });
    } else if (isPixelStep(line)) {
      drawAtRest(headless.resources(), player.editor);
      result = checkPixels(line, headless.resources());
    } else {
      result = player.apply(line, mirror, "");
    }
    return result;
  };

  int failedLine = 0;
  for (const SessionLine &line : lines) {
    if (line.words[0] == "level" || line.words[0] == "without")
      fault = player.apply(line, work, "") + player.apply(line, mirror, "");
    else if (editor != 0 || (fault = launch()).empty())
      fault = play(line);
    if (!fault.empty()) {
      failedLine = line.number;
      break;
    }
  }
  if (editor > 0) {
    kill(editor, SIGKILL);
    waitpid(editor, nullptr, 0);
  }
  if (!fault.empty())
    std::fprintf(stderr, "%s:%d: %s\n--- the editor's standard error:\n%s\n", argv[1], failedLine,
                 fault.c_str(), readFile(work + "stderr").c_str());
  XCloseDisplay(x);
  fs::remove_all(work);
  return fault.empty() ? 0 : 1;
}
