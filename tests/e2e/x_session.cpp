#include "x_session.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <signal.h>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Long enough for a loaded two-core machine running sessions in parallel.
constexpr int StartTimeoutMs = 20000;
constexpr int PollMs = 10;

void sleepMs(int ms) {
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

long long nowMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

[[noreturn]] void fail(const std::string &message) {
  throw std::runtime_error("XSession: " + message);
}

// An X error (say, a message to a window that is already gone) must not end the test
// process, which is what Xlib's default handler does.
int ignoreXError(Display *, XErrorEvent *) {
  return 0;
}

// The environment of the test process with DISPLAY pointing at our server and no video
// driver override, so that a dummy driver set for unit tests cannot leak in.
std::vector<std::string> childEnvironment(const std::string &display) {
  std::vector<std::string> env;
  for (char **entry = environ; *entry; ++entry) {
    std::string variable = *entry;
    if (variable.rfind("DISPLAY=", 0) == 0 || variable.rfind("SDL_VIDEODRIVER=", 0) == 0)
      continue;
    env.push_back(variable);
  }
  if (!display.empty())
    env.push_back("DISPLAY=" + display);
  return env;
}

std::vector<char *> pointers(std::vector<std::string> &strings) {
  std::vector<char *> result;
  for (auto &s : strings)
    result.push_back(s.data());
  result.push_back(nullptr);
  return result;
}

struct Redirect {
  std::string stdoutPath; // empty: /dev/null
  std::string stderrPath;
};

// Forks and executes argv. Only async-signal-safe calls happen in the child, everything
// else is prepared before the fork.
int spawn(std::vector<std::string> argv, const std::string &display, const std::string &dir,
          const Redirect &redirect, int keepFd = -1) {
  std::vector<std::string> env = childEnvironment(display);
  std::vector<char *> argvPtrs = pointers(argv);
  std::vector<char *> envPtrs = pointers(env);
  std::string out = redirect.stdoutPath.empty() ? "/dev/null" : redirect.stdoutPath;
  std::string err = redirect.stderrPath.empty() ? "/dev/null" : redirect.stderrPath;

  pid_t pid = fork();
  if (pid < 0)
    fail(std::string("fork failed: ") + strerror(errno));
  if (pid == 0) {
    int in = open("/dev/null", O_RDONLY);
    int outFd = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    int errFd = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (in < 0 || outFd < 0 || errFd < 0)
      _exit(126);
    dup2(in, 0);
    dup2(outFd, 1);
    dup2(errFd, 2);
    if (keepFd >= 0)
      fcntl(keepFd, F_SETFD, 0);
    if (!dir.empty() && chdir(dir.c_str()) != 0)
      _exit(126);
    execve(argvPtrs[0], argvPtrs.data(), envPtrs.data());
    _exit(127);
  }
  return pid;
}

// Waits for a child; returns its exit status (128 + signal when killed), or -1 on timeout.
int waitChild(int pid, int timeoutMs) {
  long long deadline = nowMs() + timeoutMs;
  for (;;) {
    int status = 0;
    pid_t done = waitpid(pid, &status, WNOHANG);
    if (done == pid)
      return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    if (done < 0)
      return -1;
    if (nowMs() >= deadline)
      return -1;
    sleepMs(PollMs);
  }
}

std::string findProgram(const std::string &name) {
  for (const char *dir : {"/usr/bin", "/usr/local/bin", "/bin"}) {
    std::string path = std::string(dir) + "/" + name;
    if (access(path.c_str(), X_OK) == 0)
      return path;
  }
  fail(name + " not found");
}

// BRICKEDIT_WRAPPER, when set, is a command that the editor is started under, split at blanks
// (say "valgrind --leak-check=full"); it replaces the editor's process image, so the pid and
// the window's pid stay one.
std::vector<std::string> wrapperCommand() {
  std::vector<std::string> words;
  const char *wrapper = std::getenv("BRICKEDIT_WRAPPER");
  std::istringstream stream(wrapper ? wrapper : "");
  for (std::string word; stream >> word;)
    words.push_back(word);
  if (!words.empty() && words[0].find('/') == std::string::npos)
    words[0] = findProgram(words[0]);
  return words;
}

std::string readFile(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

Screenshot grabRoot(Display *display) {
  Window root = DefaultRootWindow(display);
  XWindowAttributes attributes;
  XGetWindowAttributes(display, root, &attributes);
  XImage *image =
      XGetImage(display, root, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap);
  if (!image)
    fail("XGetImage of the root window failed");
  Screenshot shot;
  shot.width = attributes.width;
  shot.height = attributes.height;
  shot.pixels.resize(static_cast<size_t>(shot.width) * shot.height);
  bool direct = image->bits_per_pixel == 32 && image->byte_order == LSBFirst &&
                image->red_mask == 0xff0000 && image->green_mask == 0xff00 &&
                image->blue_mask == 0xff;
  for (int y = 0; y < shot.height; ++y) {
    const auto *row = reinterpret_cast<const uint8_t *>(image->data) +
                      static_cast<size_t>(y) * image->bytes_per_line;
    for (int x = 0; x < shot.width; ++x) {
      Rgb &pixel = shot.pixels[static_cast<size_t>(y) * shot.width + x];
      if (direct) {
        pixel = {row[4 * x + 2], row[4 * x + 1], row[4 * x]};
      } else {
        unsigned long value = XGetPixel(image, x, y);
        pixel = {static_cast<int>((value & image->red_mask) >> 16),
                 static_cast<int>((value & image->green_mask) >> 8),
                 static_cast<int>(value & image->blue_mask)};
      }
    }
  }
  XDestroyImage(image);
  return shot;
}

bool allBlack(const Screenshot &shot) {
  for (const Rgb &pixel : shot.pixels)
    if (pixel.r || pixel.g || pixel.b)
      return false;
  return true;
}

} // namespace

void Screenshot::save(const std::string &path) const {
  std::ofstream out(path, std::ios::binary);
  out << "P6\n" << width << " " << height << "\n255\n";
  for (const Rgb &pixel : pixels) {
    char bytes[3] = {static_cast<char>(pixel.r), static_cast<char>(pixel.g),
                     static_cast<char>(pixel.b)};
    out.write(bytes, 3);
  }
}

XSession::XSession() {
  try {
    setUp();
  } catch (...) {
    tearDown();
    throw;
  }
}

XSession::~XSession() {
  tearDown();
}

void XSession::setUp() {
  XSetErrorHandler(ignoreXError);

  char pattern[] = "/tmp/brickedit-e2e-XXXXXX";
  if (!mkdtemp(pattern))
    fail(std::string("mkdtemp failed: ") + strerror(errno));
  workDir_ = pattern;
  // The editor reads its resources from the working directory; copying them keeps every
  // session's saved levels apart from the others and from the build.
  const fs::path run = RUN_DIR;
  const fs::path work = workDir_;
  fs::create_directory(work / "bmp");
  fs::create_directory(work / "niv");
  fs::copy_file(run / "brickedit", work / "brickedit");
  fs::permissions(work / "brickedit", fs::perms::owner_all, fs::perm_options::add);
  fs::copy_file(run / "comic.ttf", work / "comic.ttf");
  fs::copy_file(run / "bmp" / "objets.bmp", work / "bmp" / "objets.bmp");

  // -displayfd: the server picks a free display and writes its number to the pipe, so
  // sessions running in parallel never collide.
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0)
    fail(std::string("pipe failed: ") + strerror(errno));
  xvfbPid_ = spawn({findProgram("Xvfb"), "-displayfd", std::to_string(fds[1]), "-screen", "0",
                    "1024x768x24", "-nolisten", "tcp", "-br", "-noreset"},
                   "", "", {"", xvfbLogPath()}, fds[1]);
  close(fds[1]);
  std::string number;
  long long deadline = nowMs() + StartTimeoutMs;
  for (;;) {
    pollfd readable{fds[0], POLLIN, 0};
    int left = static_cast<int>(deadline - nowMs());
    if (left <= 0 || poll(&readable, 1, left) <= 0)
      break;
    char c;
    ssize_t got = read(fds[0], &c, 1);
    if (got <= 0 || c == '\n')
      break;
    number += c;
  }
  close(fds[0]);
  if (number.empty())
    fail("Xvfb did not report a display: " + readFile(xvfbLogPath()));
  display_ = ":" + number;

  Display *connection = XOpenDisplay(display_.c_str());
  if (!connection)
    fail("cannot connect to " + display_);
  xDisplay_ = connection;
}

void XSession::tearDown() {
  if (editorPid_ > 0) {
    kill(editorPid_, SIGKILL);
    waitChild(editorPid_, 5000);
    editorPid_ = -1;
  }
  // Close our connection before the server goes, or Xlib ends the process on the lost link.
  if (xDisplay_) {
    XCloseDisplay(static_cast<Display *>(xDisplay_));
    xDisplay_ = nullptr;
  }
  if (xvfbPid_ > 0) {
    kill(xvfbPid_, SIGTERM);
    if (waitChild(xvfbPid_, 3000) < 0) {
      kill(xvfbPid_, SIGKILL);
      waitChild(xvfbPid_, 3000);
    }
    xvfbPid_ = -1;
  }
  if (!workDir_.empty()) {
    std::error_code ignored;
    fs::remove_all(workDir_, ignored);
  }
}

std::string XSession::xvfbLogPath() const {
  return workDir_ + "/xvfb.log";
}
std::string XSession::outputPath() const {
  return workDir_ + "/stdout.log";
}

void XSession::launchNoWait() {
  if (editorPid_ > 0 && running())
    fail("the editor is already running");
  exitStatus_ = -1;
  window_ = 0;
  std::vector<std::string> command = wrapperCommand();
  command.push_back(workDir_ + "/brickedit");
  editorPid_ = spawn(command, display_, workDir_, {outputPath(), workDir_ + "/stderr.log"});
}

void XSession::launch(int parkX, int parkY) {
  // The editor gets one motion event when its window maps, at the pointer: park it first.
  moveTo(parkX, parkY);
  launchNoWait();
  waitForWindow();
  long long deadline = nowMs() + StartTimeoutMs;
  while (allBlack(screenshot())) {
    if (!running())
      fail("the editor ended before its first frame, output: " + output());
    if (nowMs() > deadline)
      fail("the window stayed black");
    sleepMs(PollMs);
  }
}

void XSession::waitForWindow() {
  long long deadline = nowMs() + StartTimeoutMs;
  while (window_ == 0) {
    if (!running())
      fail("the editor ended before its window showed, status " + std::to_string(exitStatus_) +
           ", output: " + output());
    if (nowMs() > deadline)
      fail("no window appeared");
    std::string found;
    // --onlyvisible skips the short-lived helper window made during start-up.
    runCapture(
        {findProgram("xdotool"), "search", "--onlyvisible", "--pid", std::to_string(editorPid_)},
        found);
    window_ = std::strtoul(found.c_str(), nullptr, 10);
    if (window_ == 0)
      sleepMs(PollMs);
  }
}

int XSession::runCapture(std::vector<std::string> argv, std::string &captured) {
  std::string path = workDir_ + "/capture.tmp";
  int pid = spawn(std::move(argv), display_, workDir_, {path, ""});
  int status = waitChild(pid, StartTimeoutMs);
  if (status < 0) {
    kill(pid, SIGKILL);
    waitChild(pid, 1000);
  }
  captured = readFile(path);
  return status;
}

void XSession::xdotool(std::vector<std::string> arguments) {
  arguments.insert(arguments.begin(), findProgram("xdotool"));
  std::string ignored;
  std::string command;
  for (const auto &argument : arguments)
    command += argument + " ";
  if (runCapture(std::move(arguments), ignored) != 0)
    fail("failed: " + command);
}

void XSession::moveTo(int x, int y) {
  xdotool({"mousemove", std::to_string(x), std::to_string(y)});
}

void XSession::press(int button) {
  xdotool({"mousedown", std::to_string(button)});
}

void XSession::release(int button) {
  xdotool({"mouseup", std::to_string(button)});
}

void XSession::click(int x, int y, int button) {
  xdotool({"mousemove", std::to_string(x), std::to_string(y), "click", std::to_string(button)});
}

void XSession::wheel(int button, int notches) {
  xdotool({"click", "--repeat", std::to_string(notches), "--delay", "1", std::to_string(button)});
}

void XSession::type(const std::string &text) {
  // SDL takes a release and a press of the same key under 2 ms apart for key repeat, which the
  // editor ignores; a slower pace keeps doubled letters under load.
  xdotool({"type", "--delay", "30", "--", text});
}

void XSession::key(const std::string &keysym) {
  xdotool({"key", "--", keysym});
}

void XSession::closeWindow() {
  if (window_ == 0)
    fail("closeWindow: no window");
  auto *connection = static_cast<Display *>(xDisplay_);
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window_;
  event.xclient.message_type = XInternAtom(connection, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(connection, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(connection, window_, False, NoEventMask, &event);
  XSync(connection, False);
}

Screenshot XSession::screenshot() {
  return grabRoot(static_cast<Display *>(xDisplay_));
}

Screenshot XSession::settledScreenshot() {
  // Two frame intervals let the last events reach a drawn frame; two equal grabs 30 ms
  // apart say nothing is still changing.
  sleepMs(60);
  Screenshot previous = screenshot();
  long long deadline = nowMs() + 5000;
  for (;;) {
    sleepMs(30);
    Screenshot current = screenshot();
    if (current.pixels == previous.pixels || nowMs() > deadline)
      return current;
    previous = std::move(current);
  }
}

bool XSession::running() {
  if (editorPid_ <= 0)
    return false;
  if (exitStatus_ >= 0)
    return false;
  int status = 0;
  pid_t done = waitpid(editorPid_, &status, WNOHANG);
  if (done == editorPid_) {
    exitStatus_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    editorPid_ = -1;
    return false;
  }
  return done == 0;
}

int XSession::waitForExit(int timeoutMs) {
  long long deadline = nowMs() + timeoutMs;
  while (running()) {
    if (nowMs() >= deadline)
      return -1;
    sleepMs(PollMs);
  }
  return exitStatus_;
}

std::string XSession::output() const {
  return readFile(outputPath());
}

int XSession::shell(const std::string &command) {
  int pid = spawn({"/bin/sh", "-c", command}, display_, workDir_, {"", ""});
  return waitChild(pid, 60000);
}

void XSession::suspend() {
  if (editorPid_ > 0)
    kill(editorPid_, SIGSTOP);
}

void XSession::resume() {
  if (editorPid_ > 0)
    kill(editorPid_, SIGCONT);
}
