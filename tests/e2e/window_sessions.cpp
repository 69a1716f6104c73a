// Plays a session file (see tests/support/session.h) on the real editor in the X display that
// xvfb-run provides: input through XTest on one connection, the files and output checked as the
// editor writes them, its screen against the frame drawn headless from the same events (which
// also carry the session's other expectations). Words after the session file start the editor
// under that command, say valgrind. Exits 1 at the first step that fails.

#include "../support/frame_check.h"
#include "../support/invariants.h"
#include "storage/level_check.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
// Xlib names 0 None, which would hide the editor's InputKind::None.
#undef None

#include <chrono>
#include <csignal>
#include <filesystem>
#include <functional>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Where the pointer rests when the editor starts: over no region.
const std::string Park[] = {"move", "1023", "767"};

// What the real screen shows, as a surface of 32-bit pixels 0xRRGGBB; the caller frees it.
SDL_Surface *grabScreen(Display *x) {
  SDL_Surface *shown =
      SDL_CreateRGBSurface(SDL_SWSURFACE, 1024, 768, 32, 0xff0000, 0x00ff00, 0x0000ff, 0);
  XImage *image = XGetImage(x, DefaultRootWindow(x), 0, 0, 1024, 768, AllPlanes, ZPixmap);
  for (int row = 0; row < 768; ++row)
    for (int column = 0; column < 1024; ++column)
      static_cast<Uint32 *>(shown->pixels)[row * shown->pitch / 4 + column] =
          image->f.get_pixel(image, column, row) & 0xffffff;
  image->f.destroy_image(image);
  return shown;
}

// Pixels of the screen that differ from the surface.
long differences(Display *x, const SDL_Surface *surface) {
  SDL_Surface *shown = grabScreen(x);
  long differing = 0;
  for (int row = 0; row < 768; ++row)
    for (int column = 0; column < 1024; ++column)
      differing += pixelAt(shown, column, row) != pixelAt(surface, column, row);
  SDL_FreeSurface(shown);
  return differing;
}

// A pixel expectation, "expect screen box ..." without its "screen", on the real screen.
std::string checkScreen(Display *x, SessionLine line, RenderResources resources) {
  line.words.erase(line.words.begin() + 1);
  resources.screen = grabScreen(x);
  const std::string result = checkPixels(line, resources);
  SDL_FreeSurface(resources.screen);
  return result;
}

// With no window manager, the windows at the top of the display are the editor's.
void forEachTopWindow(Display *x, const std::function<void(Window)> &act) {
  Window root, parent, *children = nullptr;
  unsigned count = 0;
  XQueryTree(x, DefaultRootWindow(x), &root, &parent, &children, &count);
  for (unsigned i = 0; i < count; ++i)
    act(children[i]);
  XFree(children);
}

// The editor's window gets WM_DELETE_WINDOW, as from a window manager.
void closeWindow(Display *x, Window window) {
  XEvent event{};
  event.xclient = {
      ClientMessage, 0, False, x, window, XInternAtom(x, "WM_PROTOCOLS", False), 32, {}};
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(x, "WM_DELETE_WINDOW", False));
  XSendEvent(x, window, False, NoEventMask, &event);
}

std::string titleShown(Display *x) {
  std::string titles;
  forEachTopWindow(x, [&](Window window) {
    char *name = nullptr;
    if (XFetchName(x, window, &name) != 0 && name != nullptr)
      titles += name;
    XFree(name);
  });
  return titles;
}

// shiftHeld: whether Shift is held for the mouse events of a step made with it.
std::string send(Display *x, const InputEvent &event, bool &shiftHeld) {
  const bool mouse = event.kind == InputKind::Motion || event.kind == InputKind::ButtonDown ||
                     event.kind == InputKind::ButtonUp;
  if (shiftHeld != (mouse && event.shift)) {
    shiftHeld = !shiftHeld;
    XTestFakeKeyEvent(x, XKeysymToKeycode(x, XK_Shift_L), shiftHeld, CurrentTime);
    // Key events may reach the library after a button event sent right behind them.
    XSync(x, False);
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  const bool down = event.kind == InputKind::ButtonDown;
  if (event.kind == InputKind::Motion)
    XTestFakeMotionEvent(x, -1, event.x, event.y, CurrentTime);
  if (down || event.kind == InputKind::ButtonUp)
    XTestFakeButtonEvent(x, event.button, down, CurrentTime);
  if (event.kind == InputKind::Quit)
    forEachTopWindow(x, [x](Window window) { closeWindow(x, window); });
  // Time passing: the editor's game plays it by the clock.
  if (event.kind == InputKind::None)
    std::this_thread::sleep_for(std::chrono::milliseconds(event.x));
  if (event.kind == InputKind::KeyDown) {
    const KeySym symbol = keysymOf(event);
    const KeyCode code = XKeysymToKeycode(x, symbol);
    const KeyCode shift = event.shift || XkbKeycodeToKeysym(x, code, 0, 0) != symbol
                              ? XKeysymToKeycode(x, XK_Shift_L)
                              : 0;
    const KeyCode ctrl = event.ctrl ? XKeysymToKeycode(x, XK_Control_L) : 0;
    if (code == 0)
      return "no key gives the keysym " + std::to_string(symbol);
    for (const auto &[key, press] : {std::pair{ctrl, True},
                                     {shift, True},
                                     {code, True},
                                     {code, False},
                                     {shift, False},
                                     {ctrl, False}})
      if (key != 0)
        XTestFakeKeyEvent(x, key, press, CurrentTime);
    // The library takes a release and a press of one key within 2 ms for a key repeat.
    XSync(x, False);
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
  const ScratchDirectory scratch;
  const std::string &work = scratch.path();
  // The headless side draws without a window, and what it prints is not the editor's output.
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  const RenderSetup headless(ResourcePaths{RUN_DIR "/comic.ttf", RUN_DIR "/bmp/objets.bmp"});
  unsetenv("SDL_VIDEODRIVER");
  if (!fault.empty() || x == nullptr || !headless.ok() || work.empty() ||
      std::freopen("/dev/null", "w", stdout) == nullptr) {
    std::fprintf(stderr, "cannot start: %s\n", fault.c_str());
    return 1;
  }
  // The editor's working directory, its resources linked in; the headless side's within it.
  const std::string mirror = work + "headless/";
  fs::create_directories(work + "bmp");
  fs::create_directories(mirror + "niv");
  fs::create_directory(work + "niv");
  fs::create_symlink(RUN_DIR "/comic.ttf", work + "comic.ttf");
  fs::create_symlink(RUN_DIR "/bmp/objets.bmp", work + "bmp/objets.bmp");
  SessionPlayer player(fs::path(argv[1]).parent_path().string(), mirror);
  const auto patience = std::chrono::seconds(argc > 2 ? 300 : 10);
  pid_t editor = 0;
  int reads = 0;
  bool shiftHeld = false;
  int status = -1;
  auto waitFor = [&](const std::function<std::string()> &check) {
    const auto deadline = std::chrono::steady_clock::now() + patience;
    std::string result;
    while (!(result = check()).empty() && std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
      if (editor > 0 && waitpid(editor, &status, WNOHANG) == editor)
        editor = -1;
    }
    return result;
  };
  // Starts the editor with the pointer parked: started once its first frame names the window,
  // or ended.
  auto launch = [&] {
    // A run started again may find the pointer parked already; its window gets the motion all
    // the same.
    player.events({0, {Park, Park + 3}, "", false});
    const InputEvent parked{InputKind::Motion, 1023, 767};
    send(x, parked, shiftHeld);
    std::string command = "cd " + work + " && exec";
    for (int i = 2; i < argc; ++i)
      command += std::string(" ") + argv[i];
    // Appended to, so that the output of a run started again follows the last one's.
    command += " " RUN_DIR "/brickedit >>stdout 2>>stderr";
    if ((editor = fork()) == 0)
      _exit(execl("/bin/sh", "sh", "-c", command.c_str(), nullptr));
    const std::string started =
        waitFor([&] { return editor < 0 || !titleShown(x).empty() ? "" : "no frame shown"; });
    // The window's first motion is at the pointer: the headless side gets it too.
    return started.empty() ? player.feed(parked) : started;
  };
  auto play = [&](const SessionLine &line) {
    const std::string what = line.words.size() > 1 ? line.words[1] : "";
    std::string result;
    if (isInputStep(line)) {
      for (const InputEvent &event : player.events(line))
        if (result.empty() && (result = send(x, event, shiftHeld)).empty())
          result = player.feed(event);
    } else if (what == "frame") {
      drawAtRest(headless.resources(), player.editor, mirror + "niv/", reads);
      result = waitFor([&] {
        const long differing = differences(x, headless.resources().screen);
        return differing == 0
                   ? ""
                   : std::to_string(differing) + " pixels differ from the frame drawn headless";
      });
    } else if (what == "exit") {
      result = waitFor([&] { return editor < 0 ? "" : "the editor is still running"; });
      const int code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      if (result.empty() && code != std::atoi(line.words[2].c_str()))
        result = "the editor ended with status " + std::to_string(code);
    } else if (line.words[0] == "signal" && editor > 0) {
      kill(editor, what == "KILL" ? SIGKILL : SIGHUP);
    } else if (line.words[0] == "restart") {
      // The headless side keeps its editor, whose work the new run must show, unless it starts
      // empty.
      player.editor = what == "empty" ? Editor() : player.editor;
      result = launch();
    } else if (line.words[0] == "lose") {
      // The server closes the editor's connection, as when its display goes away.
      forEachTopWindow(x, [x](Window window) { XKillClient(x, window); });
      XSync(x, False);
    } else if (what == "title" && (result = player.apply(line, mirror, "")).empty()) {
      result = waitFor([&] {
        const std::string shown = titleShown(x);
        return shown == line.words[2] ? "" : "the window's title is \"" + shown + "\"";
      });
    } else if (what == "file" || what == "output") {
      result = waitFor([&] { return player.apply(line, work, fileBytes(work + "stdout")); });
    } else if (what == "screen") {
      result = waitFor([&] { return checkScreen(x, line, headless.resources()); });
    } else if (isPixelStep(line)) {
      drawAtRest(headless.resources(), player.editor, mirror + "niv/", reads);
      result = checkPixels(line, headless.resources());
    } else {
      result = player.apply(line, mirror, "");
    }
    return result;
  };

  int failedLine = 0;
  for (auto line = lines.begin(); fault.empty() && line != lines.end(); ++line) {
    if (line->words[0] == "level" || line->words[0] == "without")
      fault = player.apply(*line, work, "") + player.apply(*line, mirror, "");
    else if (editor != 0 || (fault = launch()).empty())
      fault = play(*line);
    failedLine = line->number;
  }
  if (editor > 0 && kill(editor, SIGKILL) == 0)
    waitpid(editor, nullptr, 0);
  // Whatever the editor kept must read back as a level.
  std::error_code missing;
  for (const auto &kept : fs::directory_iterator(work + "niv/.backup", missing))
    if (fault.empty() && !checkLevelFile(kept.path().string()).sound)
      fault = kept.path().filename().string() + " does not pass --check";
  if (!fault.empty())
    std::fprintf(stderr, "%s:%d: %s\n--- the editor's standard error:\n%s\n", argv[1], failedLine,
                 fault.c_str(), fileBytes(work + "stderr").c_str());
  XCloseDisplay(x);
  return fault.empty() ? 0 : 1;
}
