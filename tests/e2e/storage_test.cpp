// Saving and opening a level through the real window: mouse and keyboard in, the level file
// and the screen's pixels out.

#include "x_session.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace {

namespace fs = std::filesystem;

// Where the pointer rests while a screen is grabbed: outside the level area, so no preview.
constexpr int RestX = 960;
constexpr int RestY = 700;

constexpr int SaveButtonX = 860, SaveButtonY = 392;
constexpr int OpenButtonX = 860, OpenButtonY = 422;
constexpr int ClearAllX = 860, ClearAllY = 360;
// Palette cells: type 7 is the first of the third row, type 22 the first special one.
constexpr int PaletteType7X = 820, PaletteType7Y = 120;
constexpr int PaletteType22X = 820, PaletteType22Y = 270;
// The first row of the browser's list.
constexpr int FirstLevelRowX = 400, FirstLevelRowY = 285;

std::string fileBytes(const fs::path &path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// Waits for the editor to write the file: the save happens on its own event loop.
std::string waitForFile(const fs::path &path, const std::string &expected) {
  std::string bytes;
  for (int attempt = 0; attempt < 500; ++attempt) {
    if (fs::exists(path) && (bytes = fileBytes(path)) == expected)
      break;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return bytes;
}

// Counts the pixels of the level area (x 24..775, y 30..469) that differ between two frames.
int levelAreaDifferences(const Screenshot &a, const Screenshot &b) {
  int differences = 0;
  for (int y = 30; y < 470; ++y)
    for (int x = 24; x < 776; ++x)
      if (!(a.at(x, y) == b.at(x, y)))
        ++differences;
  return differences;
}

Screenshot restingScreenshot(XSession &session) {
  session.moveTo(RestX, RestY);
  return session.settledScreenshot();
}

void layBrick(XSession &session, int x, int y) {
  session.click(x, y);
  session.moveTo(RestX, RestY);
}

TEST(StorageSession, SavedLevelIsWrittenThenOpenedBackOnScreen) {
  XSession session;
  session.launch(RestX, RestY);

  // Three bricks, of an ordinary type at start, of type 7 and of the first special type.
  layBrick(session, 100, 100);
  session.click(PaletteType7X, PaletteType7Y);
  layBrick(session, 300, 200);
  session.click(PaletteType22X, PaletteType22Y);
  layBrick(session, 500, 300);
  const Screenshot built = restingScreenshot(session);

  session.click(SaveButtonX, SaveButtonY);
  // No letter twice in a row: the library takes a release and a press of one key less than
  // 2 ms apart for key repeat, which the editor ignores, and xdotool can send them that close.
  session.type("chateau");
  session.key("Return");
  session.type("Testeur 1");
  session.key("Return");
  const fs::path levelPath = fs::path(session.workDir()) / "niv" / "chateau.lvbk";
  const std::string expected = "3\r\n100;100;1\r\n300;200;7\r\n500;300;22\r\nTesteur 1";
  const std::string saved = waitForFile(levelPath, expected);
  EXPECT_EQ(saved, expected) << "output: " << session.output();
  if (saved != expected) {
    for (const auto &entry : fs::directory_iterator(levelPath.parent_path()))
      ADD_FAILURE() << "found " << entry.path() << ": " << fileBytes(entry.path());
    session.settledScreenshot().save(
        (fs::temp_directory_path() / "storage_save_failed.ppm").string());
  }
  // Nothing but the level is left in the directory: no temporary file.
  int entries = 0;
  for ([[maybe_unused]] const auto &entry : fs::directory_iterator(levelPath.parent_path()))
    ++entries;
  EXPECT_EQ(entries, 1);

  session.click(ClearAllX, ClearAllY);
  const Screenshot cleared = restingScreenshot(session);
  // Three bricks of 40 by 20 went away: the comparison below is not between empty levels.
  EXPECT_GT(levelAreaDifferences(built, cleared), 3 * 400);

  session.click(OpenButtonX, OpenButtonY);
  session.click(FirstLevelRowX, FirstLevelRowY);
  const Screenshot reopened = restingScreenshot(session);
  EXPECT_EQ(levelAreaDifferences(built, reopened), 0);
  if (levelAreaDifferences(built, reopened) != 0) {
    built.save(session.workDir() + "/../storage_built.ppm");
    reopened.save(session.workDir() + "/../storage_reopened.ppm");
  }
  // Reading echoes the author's first word.
  EXPECT_NE(session.output().find("Testeur"), std::string::npos) << session.output();
  EXPECT_TRUE(session.running());
}

TEST(StorageSession, EscapeWithTheBrowserOpenEndsTheProgram) {
  XSession session;
  session.launch(RestX, RestY);
  session.click(OpenButtonX, OpenButtonY);
  // The browser dims the editor behind it: the grey level area shows at half intensity.
  const Rgb dimmedLevel = session.settledScreenshot().at(40, 450);
  EXPECT_NEAR(dimmedLevel.r, 64, 1);
  EXPECT_NEAR(dimmedLevel.g, 64, 1);
  EXPECT_TRUE(session.running());
  session.key("Escape");
  EXPECT_EQ(session.waitForExit(), 0);
}

} // namespace
