#include "storage/level_browser.h"

#include "editor/screen_layout.h"
#include "storage/level_format.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <dirent.h>

namespace {

// Longer than the extension alone, and ending in it byte for byte: "E.LVBK" is not a level.
bool isLevelFileName(const char *name) {
  const std::size_t length = std::strlen(name);
  return length > LevelExtensionLength && std::memcmp(name + length - LevelExtensionLength,
                                                      LevelExtension, LevelExtensionLength) == 0;
}

// The highest browserScroll that still shows a full page of names.
int64_t lastScroll(std::size_t levelCount) {
  return levelCount > BrowserRowsShown ? static_cast<int64_t>(levelCount) - BrowserRowsShown : 0;
}

} // namespace

VisibleNames visibleLevelNames(std::size_t count, int32_t browserScroll) {
  if (count <= static_cast<std::size_t>(BrowserRowsShown))
    return VisibleNames{0, count};
  const std::size_t first = std::min<std::size_t>(std::max<int32_t>(browserScroll, 0), count);
  return VisibleNames{first, std::min(first + BrowserRowsShown, count)};
}

int listLevels(std::vector<std::string> &levelList, const std::string &levelDirectory) {
  DIR *directory = opendir(levelDirectory.c_str());
  if (directory == nullptr) {
    std::printf("error opendir");
    std::fflush(stdout);
    return 0;
  }
  levelList.clear();
  // Entries are not examined further: a directory named like a level is listed too.
  while (const dirent *entry = readdir(directory)) {
    if (isLevelFileName(entry->d_name))
      levelList.emplace_back(entry->d_name);
  }
  if (closedir(directory) != 0) {
    std::printf("error closedir");
    std::fflush(stdout);
    return 0;
  }
  return 1;
}

int64_t browserNameAt(int y, int32_t browserScroll, std::size_t count) {
  const int row = browserRowAt(y);
  if (row < 0 || row >= BrowserRowsShown)
    return -1;
  const VisibleNames names = visibleLevelNames(count, browserScroll);
  const std::size_t index = names.first + static_cast<std::size_t>(row);
  return index < names.end ? static_cast<int64_t>(index) : -1;
}

int64_t browserNameUnder(int x, int y, int32_t browserScroll, std::size_t count) {
  if (!contains(BrowserPickRegion, x, y))
    return -1;
  return browserNameAt(y, browserScroll, count);
}

void clampBrowserScroll(EditorState &state, std::size_t levelCount) {
  state.browserScroll =
      static_cast<int32_t>(std::clamp<int64_t>(state.browserScroll, 0, lastScroll(levelCount)));
}

void scrollBrowserDown(EditorState &state, std::size_t levelCount) {
  // Moves while the last of the ten names shown is not the last of the list.
  if (static_cast<int64_t>(state.browserScroll) + BrowserRowsShown + 1 <
      static_cast<int64_t>(levelCount) + 1)
    ++state.browserScroll;
}

void scrollBrowserUp(EditorState &state) {
  if (state.browserScroll > 0)
    --state.browserScroll;
}
