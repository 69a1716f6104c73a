#include "storage/level_browser.h"
#include "storage_test_support.h"

#include <gtest/gtest.h>

#include <cstring>
#include <dirent.h>
#include <set>

namespace {

namespace fs = std::filesystem;

// Level file i holds one brick whose x tells which file was read.
std::string levelNamed(int i) {
  return "niveau" + std::to_string(100 + i) + ".lvbk";
}
int32_t brickXOf(int i) {
  return 24 + i;
}

// A level directory holding count levels, and the list as the browser would build it.
struct Shelf {
  ScratchDirectory directory;
  std::vector<std::string> names;

  explicit Shelf(int count) {
    for (int i = 0; i < count; ++i) {
      writeBytes(directory.path() + levelNamed(i),
                 "1\r\n" + std::to_string(brickXOf(i)) + ";30;5\r\nauteur" + std::to_string(i));
      names.push_back(levelNamed(i));
    }
  }
};

struct Pick {
  int32_t mode;
  int32_t brickX; // x of slot 0 after the pick
  std::string output;
};

Pick pickAt(const Shelf &shelf, int32_t browserScroll, int x, int y) {
  Bricks bricks = garbageBricks();
  EditorState state = initialEditorState();
  state.mode = BrowsingLevels;
  state.browserScroll = browserScroll;
  CapturedStdout out;
  EXPECT_EQ(loadLevel(x, y, bricks, state, shelf.names, shelf.directory.path()), 1);
  EXPECT_EQ(state.browserScroll, browserScroll);
  return Pick{state.mode, bricks[0].x, out.text()};
}

void expectNothingOpened(const Pick &pick) {
  EXPECT_EQ(pick.mode, BrowsingLevels);
  EXPECT_EQ(pick.brickX, garbageBricks()[0].x);
  EXPECT_EQ(pick.output, "");
}

void expectOpened(const Pick &pick, int level) {
  EXPECT_EQ(pick.mode, Editing);
  EXPECT_EQ(pick.brickX, brickXOf(level));
  EXPECT_EQ(pick.output, "auteur" + std::to_string(level));
}

TEST(ListLevels, KeepsOnlyNamesEndingInTheExtensionInListingOrder) {
  ScratchDirectory directory;
  for (const char *name : {"a.lvbk", "b.txt", ".lvbk", "E.LVBK", "a.lvbk.bak", "lvbk"})
    writeBytes(directory.path() + name, "0\r\n");
  fs::create_directory(directory.path() + "d.lvbk");
  std::vector<std::string> list{"ancien.lvbk"};
  CapturedStdout out;
  EXPECT_EQ(listLevels(list, directory.path()), 1);
  EXPECT_EQ(out.text(), "");
  EXPECT_EQ(std::set<std::string>(list.begin(), list.end()),
            (std::set<std::string>{"a.lvbk", "d.lvbk"}));
  // The order is the directory's own, not sorted.
  std::vector<std::string> yielded;
  DIR *listing = opendir(directory.path().c_str());
  while (const dirent *entry = readdir(listing))
    if (std::string(entry->d_name) == "a.lvbk" || std::string(entry->d_name) == "d.lvbk")
      yielded.push_back(entry->d_name);
  closedir(listing);
  EXPECT_EQ(list, yielded);
}

TEST(ListLevels, MissingDirectoryKeepsThePreviousList) {
  ScratchDirectory directory;
  std::vector<std::string> list{"un.lvbk", "deux.lvbk"};
  CapturedStdout out;
  EXPECT_EQ(listLevels(list, directory.path() + "absent/"), 0);
  EXPECT_EQ(out.text(), "error opendir");
  EXPECT_EQ(list, (std::vector<std::string>{"un.lvbk", "deux.lvbk"}));
}

TEST(ListLevels, EmptyDirectoryEmptiesTheList) {
  ScratchDirectory directory;
  std::vector<std::string> list{"un.lvbk"};
  EXPECT_EQ(listLevels(list, directory.path()), 1);
  EXPECT_TRUE(list.empty());
}

TEST(BrowserScroll, WheelStopsWhenTheLastNameIsShown) {
  const struct {
    std::size_t names;
    int32_t highest;
  } cases[] = {{0, 0}, {10, 0}, {11, 1}, {12, 2}, {15, 5}};
  for (const auto &testCase : cases) {
    SCOPED_TRACE(testCase.names);
    EditorState state = initialEditorState();
    scrollBrowserUp(state);
    EXPECT_EQ(state.browserScroll, 0);
    for (int step = 0; step < 20; ++step)
      scrollBrowserDown(state, testCase.names);
    EXPECT_EQ(state.browserScroll, testCase.highest);
    for (int step = 0; step < 20; ++step)
      scrollBrowserUp(state);
    EXPECT_EQ(state.browserScroll, 0);
  }
  EditorState state = initialEditorState();
  scrollBrowserDown(state, 12);
  scrollBrowserDown(state, 12);
  EXPECT_EQ(state.browserScroll, 2);
}

TEST(BrowserScroll, ClampBringsItBackIntoRange) {
  const struct {
    int32_t scroll;
    std::size_t names;
    int32_t clamped;
  } cases[] = {{5, 12, 2}, {5, 20, 5}, {5, 8, 0}, {3, 0, 0}, {-4, 15, 0}, {2, 12, 2}};
  for (const auto &testCase : cases) {
    EditorState state = initialEditorState();
    state.browserScroll = testCase.scroll;
    clampBrowserScroll(state, testCase.names);
    EXPECT_EQ(state.browserScroll, testCase.clamped)
        << testCase.scroll << " with " << testCase.names << " names";
  }
}

TEST(LoadLevel, PickAreaEdgesAndRowsWithTwelveNames) {
  Shelf shelf(12);
  expectOpened(pickAt(shelf, 2, 500, 276), 2);
  expectOpened(pickAt(shelf, 2, 500, 300), 3);
  expectOpened(pickAt(shelf, 2, 500, 474), 11);
  expectOpened(pickAt(shelf, 2, 251, 294), 2);
  expectOpened(pickAt(shelf, 2, 749, 295), 3);
  expectOpened(pickAt(shelf, 0, 500, 474), 9);
  for (auto [x, y] : {std::pair{500, 476},
                      {500, 479},
                      {250, 300},
                      {750, 300},
                      {500, 275},
                      {500, 480},
                      {500, 100}})
    expectNothingOpened(pickAt(shelf, 2, x, y));
}

TEST(LoadLevel, RowsPastTheEndOfTheListOpenNothing) {
  Shelf shelf(3);
  expectOpened(pickAt(shelf, 0, 400, 320), 2);
  expectNothingOpened(pickAt(shelf, 0, 400, 336));
  expectNothingOpened(pickAt(shelf, 0, 400, 474));
  Shelf empty(0);
  expectNothingOpened(pickAt(empty, 0, 400, 280));
}

TEST(LoadLevel, ShortListOpensTheNameDrawnInTheRowWhateverTheScroll) {
  // A scroll left from a longer list never shifts a short one: row k shows name k.
  Shelf shelf(5);
  expectOpened(pickAt(shelf, 3, 400, 280), 0);
  expectNothingOpened(pickAt(shelf, 3, 400, 380));
}

TEST(LoadLevel, ScrollSurvivesOpeningAndIsClampedWhenTheListShrinks) {
  Shelf shelf(12);
  Bricks bricks = garbageBricks();
  EditorState state = initialEditorState();
  state.mode = BrowsingLevels;
  std::vector<std::string> list;
  CapturedStdout out;
  ASSERT_EQ(listLevels(list, shelf.directory.path()), 1);
  clampBrowserScroll(state, list.size());
  scrollBrowserDown(state, list.size());
  scrollBrowserDown(state, list.size());
  loadLevel(500, 280, bricks, state, list, shelf.directory.path());
  EXPECT_EQ(state.mode, Editing);
  EXPECT_EQ(bricks[0].x, std::stoi(list[2].substr(6, 3)) - 100 + 24);

  // Opened again with the same files: the same first name.
  state.mode = BrowsingLevels;
  ASSERT_EQ(listLevels(list, shelf.directory.path()), 1);
  clampBrowserScroll(state, list.size());
  EXPECT_EQ(state.browserScroll, 2);

  // Three levels removed: the list of nine shows from its start.
  for (int i = 0; i < 3; ++i)
    fs::remove(shelf.directory.path() + levelNamed(i));
  ASSERT_EQ(listLevels(list, shelf.directory.path()), 1);
  clampBrowserScroll(state, list.size());
  EXPECT_EQ(list.size(), 9u);
  EXPECT_EQ(state.browserScroll, 0);
}

TEST(LoadLevel, OpeningChangesOnlyTheBricksTheCountAndTheMode) {
  Shelf shelf(4);
  Bricks bricks = garbageBricks();
  EditorState state{1, BrowsingLevels, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, -1, 1, 0};
  EditorState expected = state;
  CapturedStdout out;
  loadLevel(300, 300, bricks, state, shelf.names, shelf.directory.path());
  expected.mode = Editing;
  expected.brickCount = 1;
  EXPECT_EQ(std::memcmp(&state, &expected, sizeof state), 0);
  EXPECT_EQ(bricks[0].x, brickXOf(1));
  EXPECT_EQ(bricks[1].x, garbageBricks()[1].x);
}

TEST(LoadLevel, UnreadablePickKeepsTheBrowserOpen) {
  Shelf shelf(4);
  fs::remove(shelf.directory.path() + levelNamed(1));
  writeBytes(shelf.directory.path() + levelNamed(2), "500\r\n24;30;5\r\nabcd");
  const Pick vanished = pickAt(shelf, 0, 300, 300);
  EXPECT_EQ(vanished.mode, BrowsingLevels);
  EXPECT_EQ(vanished.brickX, garbageBricks()[0].x);
  EXPECT_EQ(vanished.output,
            "Impossible d'ouvrir le fichier " + shelf.directory.path() + levelNamed(1));
  const Pick refused = pickAt(shelf, 0, 300, 320);
  EXPECT_EQ(refused.mode, BrowsingLevels);
  EXPECT_EQ(refused.brickX, garbageBricks()[0].x);
  EXPECT_NE(refused.output.find("500"), std::string::npos);
}

} // namespace
