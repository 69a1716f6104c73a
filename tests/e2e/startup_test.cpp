#include "x_session.h"

#include <gtest/gtest.h>

#include <filesystem>

// After gtest: Xlib's macros (None, Bool, ...) would break its templates.
#include <X11/Xlib.h>

namespace {

namespace fs = std::filesystem;

// Sum of all channels over a 40 by 20 palette entry: the chosen type is the only one drawn at
// full intensity.
long brightness(const Screenshot &shot, int left, int top) {
  long sum = 0;
  for (int y = top; y < top + 20; ++y)
    for (int x = left; x < left + 40; ++x)
      sum += shot.at(x, y).r + shot.at(x, y).g + shot.at(x, y).b;
  return sum;
}

TEST(Startup, MissingFilesGiveStatus1ThenWindow1024By768WheelStepsTheTypeAndClosingEnds) {
  XSession session;
  for (auto [file, message] : {std::pair{"bmp/objets.bmp", "Unable to load bitmap: "},
                               {"comic.ttf", "Unable to load font: "}}) {
    const fs::path path = fs::path(session.workDir()) / file;
    fs::rename(path, path.string() + ".away");
    session.launchNoWait();
    EXPECT_EQ(session.waitForExit(), 1);
    EXPECT_EQ(session.output().rfind(message, 0), 0u) << session.output();
    EXPECT_EQ(session.output().back(), '\n');
    fs::rename(path.string() + ".away", path);
  }

  session.launch(300, 200);
  Display *display = XOpenDisplay(session.display().c_str());
  ASSERT_NE(display, nullptr);
  XWindowAttributes attributes;
  ASSERT_NE(XGetWindowAttributes(display, session.window(), &attributes), 0);
  EXPECT_EQ(attributes.width, 1024);
  EXPECT_EQ(attributes.height, 768);
  XCloseDisplay(display);

  // Types 1 and 2 sit side by side on the palette's first row; type 24 ends the special row.
  const Screenshot first = session.settledScreenshot();
  session.wheel(5);
  const Screenshot down = session.settledScreenshot();
  EXPECT_LT(brightness(down, 800, 60), brightness(first, 800, 60));
  EXPECT_GT(brightness(down, 845, 60), brightness(first, 845, 60));
  session.wheel(4, 2);
  const Screenshot wrapped = session.settledScreenshot();
  EXPECT_LT(brightness(wrapped, 800, 60), brightness(first, 800, 60));
  EXPECT_GT(brightness(wrapped, 890, 260), brightness(first, 890, 260));

  session.closeWindow();
  EXPECT_EQ(session.waitForExit(), 0);
  EXPECT_EQ(session.output(), "");
}

} // namespace
