#include "storage/level_browser.h"
#include "storage_test_support.h"

#include <gtest/gtest.h>

#include <dirent.h>
#include <set>

namespace {

namespace fs = std::filesystem;

std::string levelNamed(int i) {
  return "niveau" + std::to_string(100 + i) + ".lvbk";
}

// A level directory of count files; file i holds one brick at x = 24 + i, author "auteur<i>".
struct Shelf {
  ScratchDirectory directory;
  std::vector<std::string> names;

  explicit Shelf(int count) {
    for (int i = 0; i < count; ++i) {
      writeBytes(directory.path() + levelNamed(i),
                 "1\r\n" + std::to_string(24 + i) + ";30;5\r\nauteur" + std::to_string(i));
      names.push_back(levelNamed(i));
    }
  }
};

// Releases the button at (x, y); the level opened, or -1 when the browser stayed open with the
// bricks untouched. What was printed goes to output.
int pickAt(const Shelf &shelf, int32_t browserScroll, int x, int y, std::string &output) {
  Bricks bricks = garbageBricks();
  EditorState state = initialEditorState();
  state.mode = BrowsingLevels;
  state.browserScroll = browserScroll;
  int result = 0;
  output = printedBy(
      [&] { result = loadLevel(x, y, bricks, state, shelf.names, shelf.directory.path()); });
  EXPECT_EQ(result, 1);
  EXPECT_EQ(state.browserScroll, browserScroll);
  if (state.mode == BrowsingLevels) {
    EXPECT_EQ(bricks[0].x, garbageBricks()[0].x);
    return -1;
  }
  EXPECT_EQ(state.mode, Editing);
  const int level = bricks[0].x - 24;
  EXPECT_EQ(output, "auteur" + std::to_string(level));
  return level;
}

TEST(ListLevels, KeepsOnlyNamesEndingInTheExtensionInListingOrder) {
  ScratchDirectory directory;
  for (const char *name : {"a.lvbk", "b.txt", ".lvbk", "E.LVBK", "a.lvbk.bak", "lvbk"})
    writeBytes(directory.path() + name, "0\r\n");
  fs::create_directory(directory.path() + "d.lvbk");
  std::vector<std::string> list{"ancien.lvbk"};
  int result = 0;
  EXPECT_EQ(printedBy([&] { result = listLevels(list, directory.path()); }), "");
  EXPECT_EQ(result, 1);
  std::vector<std::string> yielded;
  DIR *listing = opendir(directory.path().c_str());
  while (const dirent *entry = readdir(listing))
    if (std::set<std::string>{"a.lvbk", "d.lvbk"}.count(entry->d_name) != 0)
      yielded.push_back(entry->d_name);
  closedir(listing);
  EXPECT_EQ(list, yielded);
  EXPECT_EQ(list.size(), 2u);
}

TEST(ListLevels, MissingDirectoryKeepsThePreviousList) {
  ScratchDirectory directory;
  std::vector<std::string> list{"un.lvbk", "deux.lvbk"};
  int result = 1;
  EXPECT_EQ(printedBy([&] { result = listLevels(list, directory.path() + "absent/"); }),
            "error opendir");
  EXPECT_EQ(result, 0);
  EXPECT_EQ(list, (std::vector<std::string>{"un.lvbk", "deux.lvbk"}));
}

TEST(BrowserScroll, WheelStopsWhenTheLastNameIsShown) {
  const std::pair<std::size_t, int32_t> cases[] = {{0, 0}, {10, 0}, {11, 1}, {12, 2}, {15, 5}};
  for (const auto &[names, highest] : cases) {
    SCOPED_TRACE(names);
    EditorState state = initialEditorState();
    scrollBrowserUp(state);
    EXPECT_EQ(state.browserScroll, 0);
    for (int step = 0; step < 20; ++step)
      scrollBrowserDown(state, names);
    EXPECT_EQ(state.browserScroll, highest);
    for (int step = 0; step < 20; ++step)
      scrollBrowserUp(state);
    EXPECT_EQ(state.browserScroll, 0);
  }
}

TEST(BrowserScroll, ClampBringsItBackIntoRange) {
  const struct {
    int32_t scroll;
    std::size_t names;
    int32_t clamped;
  } cases[] = {{5, 12, 2}, {3, 12, 2}, {5, 20, 5},  {5, 8, 0},
               {1, 10, 0}, {3, 0, 0},  {-4, 15, 0}, {2, 12, 2}};
  for (const auto &testCase : cases) {
    EditorState state = initialEditorState();
    state.browserScroll = testCase.scroll;
    clampBrowserScroll(state, testCase.names);
    EXPECT_EQ(state.browserScroll, testCase.clamped)
        << testCase.scroll << " with " << testCase.names << " names";
  }
}

// Rows are 20 pixels from y 276; row 10 (y 475 to 479) shows no name. With ten names or fewer
// row k shows name k whatever the scroll.
TEST(LoadLevel, OpensTheNameShownUnderThePointer) {
  const struct {
    int names, scroll, x, y, level;
  } cases[] = {
      {12, 2, 500, 276, 2},  {12, 2, 500, 300, 3},  {12, 2, 500, 474, 11}, {12, 2, 251, 294, 2},
      {12, 2, 749, 295, 3},  {12, 0, 500, 474, 9},  {12, 0, 500, 476, -1}, {12, 0, 500, 479, -1},
      {12, 2, 250, 300, -1}, {12, 2, 750, 300, -1}, {12, 2, 500, 275, -1}, {12, 2, 500, 480, -1},
      {12, 2, 500, 100, -1}, {3, 0, 400, 320, 2},   {3, 0, 400, 336, -1},  {3, 0, 400, 474, -1},
      {0, 0, 400, 280, -1},  {5, 3, 400, 280, 0},   {5, 3, 400, 380, -1},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(testing::Message()
                 << c.names << " names, scroll " << c.scroll << ", at " << c.x << "," << c.y);
    Shelf shelf(c.names);
    std::string output;
    EXPECT_EQ(pickAt(shelf, c.scroll, c.x, c.y, output), c.level);
    if (c.level < 0) {
      EXPECT_EQ(output, "");
    }
  }
}

TEST(LoadLevel, ScrollSurvivesOpeningAndIsClampedWhenTheListShrinks) {
  Shelf shelf(12);
  Bricks bricks = garbageBricks();
  EditorState state = initialEditorState();
  std::vector<std::string> list;
  auto reopen = [&] {
    state.mode = BrowsingLevels;
    int listed = 0;
    printedBy([&] { listed = listLevels(list, shelf.directory.path()); });
    EXPECT_EQ(listed, 1);
    clampBrowserScroll(state, list.size());
  };
  reopen();
  scrollBrowserDown(state, list.size());
  scrollBrowserDown(state, list.size());
  printedBy([&] { loadLevel(500, 280, bricks, state, list, shelf.directory.path()); });
  EXPECT_EQ(state.mode, Editing);
  EXPECT_EQ(bricks[0].x, std::stoi(list[2].substr(6, 3)) - 100 + 24);
  reopen();
  EXPECT_EQ(state.browserScroll, 2);
  for (int i = 0; i < 3; ++i)
    fs::remove(shelf.directory.path() + levelNamed(i));
  reopen();
  EXPECT_EQ(list.size(), 9u);
  EXPECT_EQ(state.browserScroll, 0);
}

TEST(LoadLevel, UnreadablePickKeepsTheBrowserOpen) {
  Shelf shelf(4);
  fs::remove(shelf.directory.path() + levelNamed(1));
  writeBytes(shelf.directory.path() + levelNamed(2), "500\r\n24;30;5\r\nabcd");
  std::string output;
  EXPECT_EQ(pickAt(shelf, 0, 300, 300, output), -1);
  EXPECT_EQ(output, "Impossible d'ouvrir le fichier " + shelf.directory.path() + levelNamed(1));
  EXPECT_EQ(pickAt(shelf, 0, 300, 320, output), -1);
  EXPECT_NE(output.find("500"), std::string::npos);
}

} // namespace
