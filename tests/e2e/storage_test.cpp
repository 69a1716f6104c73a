// Saving and opening a level through the real window: mouse and keyboard in, the level file
// and the screen's pixels out.

#include "x_session.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Where the pointer rests while a screen is grabbed: outside the level area, so no preview.
constexpr int RestX = 960, RestY = 700;
constexpr int ButtonsX = 860, ClearAllY = 360, SaveY = 392, OpenY = 422;

std::string fileBytes(const fs::path &path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// Pixels of the level area that differ between two frames.
int levelAreaDifferences(const Screenshot &a, const Screenshot &b) {
  int differences = 0;
  for (int y = 30; y < 470; ++y)
    for (int x = 24; x < 776; ++x)
      differences += !(a.at(x, y) == b.at(x, y));
  return differences;
}

void clickAndRest(XSession &session, int x, int y) {
  session.click(x, y);
  session.moveTo(RestX, RestY);
}

TEST(StorageSession, SavedLevelIsWrittenThenOpenedBackAndEscapeInTheBrowserEndsTheRun) {
  XSession session;
  session.launch(RestX, RestY);
  // Bricks of the type at start, of type 7 and of the first special type.
  clickAndRest(session, 100, 100);
  session.click(820, 120);
  clickAndRest(session, 300, 200);
  session.click(820, 270);
  clickAndRest(session, 500, 300);
  const Screenshot built = session.settledScreenshot();

  session.click(ButtonsX, SaveY);
  // No letter twice in a row: the library takes a release and a press of one key less than
  // 2 ms apart for key repeat, which the editor ignores, and xdotool can send them that close.
  session.type("chateau");
  session.key("Return");
  session.type("Testeur 1");
  session.key("Return");
  const fs::path levels = fs::path(session.workDir()) / "niv";
  const std::string expected = "3\r\n100;100;1\r\n300;200;7\r\n500;300;22\r\nTesteur 1";
  // The save happens on the editor's own loop.
  std::string saved;
  for (int attempt = 0; attempt < 500 && saved != expected; ++attempt) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    saved = fileBytes(levels / "chateau.lvbk");
  }
  EXPECT_EQ(saved, expected) << "output: " << session.output();
  // Nothing but the level is left in the directory: no temporary file.
  std::vector<std::string> names;
  for (const auto &entry : fs::directory_iterator(levels))
    names.push_back(entry.path().filename().string());
  EXPECT_EQ(names, std::vector<std::string>{"chateau.lvbk"});

  clickAndRest(session, ButtonsX, ClearAllY);
  // Three bricks of 40 by 20 went away: the comparison below is not between empty levels.
  EXPECT_GT(levelAreaDifferences(built, session.settledScreenshot()), 3 * 400);

  session.click(ButtonsX, OpenY);
  clickAndRest(session, 400, 285);
  EXPECT_EQ(levelAreaDifferences(built, session.settledScreenshot()), 0);
  // Reading echoes the author's first word.
  EXPECT_NE(session.output().find("Testeur"), std::string::npos) << session.output();

  // The browser dims the editor behind it: the grey level area shows at half intensity.
  session.click(ButtonsX, OpenY);
  const Rgb dimmedLevel = session.settledScreenshot().at(40, 450);
  EXPECT_NEAR(dimmedLevel.r, 64, 1);
  EXPECT_NEAR(dimmedLevel.g, 64, 1);
  session.key("Escape");
  EXPECT_EQ(session.waitForExit(), 0);
}

} // namespace
