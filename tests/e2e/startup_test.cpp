#include "x_session.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

// After gtest: Xlib's macros (None, Bool, ...) would break its templates.
#include <X11/Xlib.h>

namespace {

namespace fs = std::filesystem;

// Sum of all channels over a 40 by 20 palette entry: the chosen type is the only one drawn at
// full intensity, the others at half.
long brightness(const Screenshot &shot, int left, int top) {
  long sum = 0;
  for (int y = top; y < top + 20; ++y)
    for (int x = left; x < left + 40; ++x) {
      const Rgb pixel = shot.at(x, y);
      sum += pixel.r + pixel.g + pixel.b;
    }
  return sum;
}

TEST(Startup, WindowIs1024By768AndEscapeEndsTheRun) {
  XSession session;
  session.launchNoWait();
  session.waitForWindow();

  Display *display = XOpenDisplay(session.display().c_str());
  ASSERT_NE(display, nullptr);
  XWindowAttributes attributes;
  ASSERT_NE(XGetWindowAttributes(display, session.window(), &attributes), 0);
  EXPECT_EQ(attributes.width, 1024);
  EXPECT_EQ(attributes.height, 768);
  XCloseDisplay(display);

  session.key("Escape");
  EXPECT_EQ(session.waitForExit(), 0);
  EXPECT_EQ(session.output(), "");
}

TEST(Startup, ClosingTheWindowEndsTheRun) {
  XSession session;
  session.launchNoWait();
  session.waitForWindow();
  session.closeWindow();
  EXPECT_EQ(session.waitForExit(), 0);
}

TEST(Startup, EscapeInTheNameDialogEndsTheRun) {
  XSession session;
  session.launchNoWait();
  session.waitForWindow();
  // Left release on "Sauvegarder !" opens the name dialog.
  session.click(865, 392);
  session.type("abc");
  session.key("Escape");
  EXPECT_EQ(session.waitForExit(), 0);
  // Nothing was saved on the way out.
  EXPECT_TRUE(fs::is_empty(fs::path(session.workDir()) / "niv"));
}

TEST(Startup, MissingSpriteSheetIsReportedWithStatus1) {
  XSession session;
  fs::remove(fs::path(session.workDir()) / "bmp" / "objets.bmp");
  session.launchNoWait();
  EXPECT_EQ(session.waitForExit(), 1);
  EXPECT_EQ(session.output().rfind("Unable to load bitmap: ", 0), 0u) << session.output();
  EXPECT_EQ(session.output().back(), '\n');
}

TEST(Startup, MissingFontIsReportedWithStatus1) {
  XSession session;
  fs::remove(fs::path(session.workDir()) / "comic.ttf");
  session.launchNoWait();
  EXPECT_EQ(session.waitForExit(), 1);
  EXPECT_EQ(session.output().rfind("Unable to load font: ", 0), 0u) << session.output();
  EXPECT_EQ(session.output().back(), '\n');
}

TEST(Startup, WheelOverTheLevelStepsTheChosenBrickType) {
  XSession session;
  // Inside the level area, away from the palette.
  session.launch(300, 200);
  const Screenshot first = session.settledScreenshot();

  // Types 1 and 2 sit side by side on the palette's first row; type 24 ends the special row.
  session.wheel(5);
  const Screenshot down = session.settledScreenshot();
  EXPECT_LT(brightness(down, 800, 60), brightness(first, 800, 60));
  EXPECT_GT(brightness(down, 845, 60), brightness(first, 845, 60));

  session.wheel(4, 2);
  const Screenshot wrapped = session.settledScreenshot();
  EXPECT_LT(brightness(wrapped, 800, 60), brightness(first, 800, 60));
  EXPECT_GT(brightness(wrapped, 890, 260), brightness(first, 890, 260));

  session.key("Escape");
  EXPECT_EQ(session.waitForExit(), 0);
}

} // namespace

namespace {

TEST(Startup, ReturnQueuedBehindEscapeStillSaves) {
  XSession session;
  session.launch(300, 200);
  session.click(300, 200); // lays one brick
  session.click(865, 392); // "Sauvegarder !"
  session.type("Niv");
  session.key("Return");
  session.type("Moi");
  // Escape and Return reach the editor in one pass of its loop.
  session.suspend();
  session.key("Escape");
  session.key("Return");
  session.resume();
  EXPECT_EQ(session.waitForExit(), 0);
  const fs::path saved = fs::path(session.workDir()) / "niv" / "Niv.lvbk";
  ASSERT_TRUE(fs::exists(saved));
  std::ifstream in(saved, std::ios::binary);
  std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(content.rfind("1\r\n", 0), 0u) << content;
  EXPECT_EQ(content.substr(content.size() - 3), "Moi") << content;
}

} // namespace
