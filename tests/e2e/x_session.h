#pragma once
// Drives the real editor as a user would: a private Xvfb, a fresh working directory, real X
// input through xdotool, and screenshots of the root window.

#include <string>
#include <vector>

struct Rgb {
  int r;
  int g;
  int b;
  bool operator==(const Rgb &other) const { return r == other.r && g == other.g && b == other.b; }
};

struct Screenshot {
  int width = 0;
  int height = 0;
  std::vector<Rgb> pixels; // row by row
  Rgb at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
  // Writes a binary PPM, for looking at a failure.
  void save(const std::string &path) const;
};

class XSession {
public:
  // Starts a private 1024x768x24 Xvfb and lays out a fresh working directory: a copy of the
  // built one (binary, comic.ttf, bmp/objets.bmp) with an empty niv/.
  XSession();
  // Ends the editor if still running, stops Xvfb and removes the working directory.
  ~XSession();
  XSession(const XSession &) = delete;
  XSession &operator=(const XSession &) = delete;

  const std::string &workDir() const { return workDir_; }
  const std::string &display() const { return display_; }

  // Starts the editor in the working directory with the pointer parked at (x, y), and waits
  // until its window shows a frame that is not all black. Fails the test if it never does.
  void launch(int parkX = 5, int parkY = 5);
  // Starts the editor without waiting for a window (for start-up failures).
  void launchNoWait();
  // After launchNoWait: waits until the editor's window is mapped, whatever it shows.
  void waitForWindow();

  // Real X input. Each call returns once the X server has the events.
  void moveTo(int x, int y);
  void press(int button);   // 1 left, 2 middle, 3 right
  void release(int button); // 4 and 5 are the wheel
  void click(int x, int y, int button = 1);
  void wheel(int button, int notches = 1); // 4 up, 5 down
  void type(const std::string &text);
  void key(const std::string &keysym); // "Return", "Escape", "BackSpace", "KP_Enter"
  // Asks the window to close as a window manager would (WM_DELETE_WINDOW).
  void closeWindow();

  // Waits for two frame intervals, then grabs until two grabs 30 ms apart agree.
  Screenshot settledScreenshot();

  bool running();
  // Waits for the editor to end; returns its exit status (128 + signal when killed), or -1
  // after the timeout.
  int waitForExit(int timeoutMs = 5000);
  // What the editor wrote to standard output so far.
  std::string output() const;

  // Runs a shell command with DISPLAY set to this session's display; returns its status.
  // It runs in the working directory.
  int shell(const std::string &command);

  // One grab of the root window, as it is now.
  Screenshot screenshot();
  // Stops and continues the editor (SIGSTOP, SIGCONT): input sent in between reaches it in
  // one pass of its event loop.
  void suspend();
  void resume();
  int editorPid() const { return editorPid_; }
  unsigned long window() const { return window_; }

private:
  void setUp();
  void tearDown();
  std::string xvfbLogPath() const;
  std::string outputPath() const;
  // Runs a program with this display, its standard output into captured; returns its status.
  int runCapture(std::vector<std::string> argv, std::string &captured);
  // Runs xdotool with these arguments; fails the test if it fails.
  void xdotool(std::vector<std::string> arguments);

  std::string workDir_;
  std::string display_;
  int xvfbPid_ = -1;
  int editorPid_ = -1;
  unsigned long window_ = 0;
  void *xDisplay_ = nullptr; // our own Xlib connection, for grabs and the close message
  int exitStatus_ = -1;
};
