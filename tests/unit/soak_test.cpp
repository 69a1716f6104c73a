// Millions of random events through the real dispatch, in every mode, with level files opened
// in between, among them files that break every rule a level keeps. After each event the whole
// editor is checked: counts and fields in range, the pattern box current, the name fields
// clean, the browser scroll inside the list, bricks changed only by the events that may change
// them, every brick placed since the last opening inside the level and overlapping none, and
// every level saved reading back as it was.
//
// BRICKEDIT_SOAK_EVENTS sets the number of events (2 million by default; fewer under the
// sanitizers); BRICKEDIT_SOAK_SEED replays one run.

#include "editor/editor.h"
#include "editor/event_dispatch.h"
#include "editor/screen_layout.h"
#include "storage/level_file.h"

#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

long environmentNumber(const char *name, long fallback) {
  const char *value = std::getenv(name);
  return value != nullptr && *value != '\0' ? std::strtol(value, nullptr, 10) : fallback;
}

// Level files that break the rules a level keeps, beside sound ones. Fourteen files, so the
// browser scrolls.
std::vector<std::pair<std::string, std::string>> ruleBreakingLevels() {
  std::vector<std::pair<std::string, std::string>> files;
  auto brickLines = [](int count, auto brickAt) {
    std::ostringstream text;
    text << count << "\r\n";
    for (int i = 0; i < count; ++i) {
      Brick brick = brickAt(i);
      text << brick.x << ';' << brick.y << ';' << brick.type << "\r\n";
    }
    return text.str();
  };
  auto grid = [](int i) { return Brick{24 + 40 * (i % 18), 30 + 20 * (i / 18), 1 + i % 24}; };
  files.emplace_back("sound.lvbk", "2\r\n24;30;5\r\n64;30;22\r\nabcd");
  files.emplace_back("full.lvbk", brickLines(396, grid) + "Plein");
  files.emplace_back("almost_full.lvbk", brickLines(395, grid) + "Presque");
  // All slots used, yet most of the level free: placing must still find no slot.
  files.emplace_back("full_heap.lvbk", brickLines(396, [](int i) {
                                         return Brick{24 + i % 3, 30, 7};
                                       }) + "Tas");
  files.emplace_back("overlapping.lvbk", brickLines(60, [](int i) {
                                           return Brick{300 + i, 200 + i / 2, 3};
                                         }) + "O");
  files.emplace_back("outside.lvbk", "6\r\n-100;-100;1\r\n2000;900;2\r\n770;465;3\r\n0;0;4\r\n"
                                     "24;470;5\r\n-2147483648;2147483647;6\r\nDehors");
  files.emplace_back("odd_types.lvbk",
                     "5\r\n100;100;0\r\n200;100;-5\r\n300;100;25\r\n400;100;99\r\n"
                     "500;100;2147483647\r\nTypes");
  files.emplace_back("count_397.lvbk", brickLines(397, grid) + "Trop");
  files.emplace_back("count_negative.lvbk", "-1\r\n24;30;5\r\nNeg");
  files.emplace_back("count_huge.lvbk", "99999999999\r\n24;30;5\r\nHuge");
  files.emplace_back("count_larger_than_lines.lvbk", "300\r\n24;30;5\r\n64;30;6\r\nShort");
  files.emplace_back("garbage.lvbk", std::string("\xff\xfe;;;-\r\n\0\0 12 ;x", 17));
  files.emplace_back("empty.lvbk", "");
  files.emplace_back("blank_before_semicolon.lvbk", "3\r\n24 ;30;5\r\n64;30;6\r\nB");
  return files;
}

// Points aimed at the places that act, one pixel around each, else anywhere a Uint16 reaches.
const Region Targets[] = {
    LevelRetypeRegion,   LevelRetypeRegion,  LevelRetypeRegion,   LevelRetypeRegion,
    LevelRetypeRegion,   PatternGridRegion,  PatternGridRegion,   PaletteRegion,
    SpecialRowRegion,    SpacingXPlusRegion, SpacingXMinusRegion, SpacingYPlusRegion,
    SpacingYMinusRegion, OffsetXPlusRegion,  OffsetXMinusRegion,  OffsetYPlusRegion,
    OffsetYMinusRegion,  ChooserRegion,      ChooserRegion,       ClearAllClickRegion,
    SaveRegion,          SaveRegion,         OpenRegion,          OpenRegion,
    BrowserPickRegion,   BrowserPickRegion,  BrowserPickRegion,   DialogRegion,
};

struct Counts {
  long events = 0;
  long levelOpens = 0;
  long saves = 0;
  long bricksPlaced = 0;
  long eventsInMode[4] = {0, 0, 0, 0};
};

class Soak {
public:
  Soak(uint32_t seed, TTF_Font *font) : random_(seed), font_(font) {}

  // Sends one random event, then checks everything. Returns false at the first broken rule,
  // with what broke in failure().
  bool step() {
    SDL_Event event = randomEvent();
    const Snapshot before = snapshotOf();
    const bool wasBrowsing = editor_.state.mode == BrowsingLevels;
    const bool savesNow = event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_RETURN &&
                          editor_.state.mode == EnteringAuthorName &&
                          !editor_.authorField.text().empty();
    remember(event);
    dispatchEvent(event, editor_, font_);
    ++counts_.events;
    ++counts_.eventsInMode[editor_.state.mode & 3];

    if (event.type == SDL_QUIT ||
        (event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_ESCAPE)) {
      if (!editor_.quitRequested)
        return fail("quit was not requested");
      editor_.quitRequested = false;
    } else if (editor_.quitRequested) {
      return fail("quit requested by another event");
    }

    return checkFields() && checkBricks(event, before, wasBrowsing) &&
           (!savesNow || checkSaved(before));
  }

  const std::string &failure() const { return failure_; }
  const Counts &counts() const { return counts_; }
  std::string recentEvents() const {
    std::string text;
    for (const std::string &line : recent_)
      text += "  " + line + "\n";
    return text;
  }

  // Files come and go between openings of the browser, as they would on a shared disk.
  void reshuffleLevelDirectory() {
    std::vector<fs::path> saved;
    for (const auto &entry : fs::directory_iterator("niv"))
      saved.push_back(entry.path());
    if (saved.size() > 40 || random_() % 2 == 0) {
      for (const fs::path &path : saved)
        if (random_() % 2 == 0)
          fs::remove_all(path);
    }
    for (const auto &[name, bytes] : ruleBreakingLevels())
      if (random_() % 3 != 0 && !fs::exists("niv/" + name))
        std::ofstream("niv/" + name, std::ios::binary) << bytes;
  }

private:
  // The editor's whole state, with copies of the texts standing in for the fields.
  struct Snapshot {
    Bricks bricks;
    EditorState state;
    int32_t currentBrickType;
    std::string levelName;
    std::string author;
  };

  Editor editor_;
  std::mt19937 random_;
  TTF_Font *font_;
  Counts counts_;
  std::string failure_;
  std::deque<std::string> recent_;
  // Positions of the bricks that came from the last opened file and are still in the level:
  // those need keep no rule. Every other brick was placed and must.
  std::vector<std::pair<int32_t, int32_t>> loaded_;

  Snapshot snapshotOf() const {
    return Snapshot{editor_.bricks, editor_.state, editor_.currentBrickType,
                    editor_.levelNameField.text(), editor_.authorField.text()};
  }
  bool fail(const std::string &what) {
    failure_ = what;
    return false;
  }

  uint32_t below(uint32_t n) { return random_() % n; }

  void aim(uint16_t &x, uint16_t &y) {
    const uint32_t pick = below(100);
    if (pick < 8) {
      // Edges of the screen and of the 16-bit range.
      const uint16_t xs[] = {0, 1, 1023, 1024, 32767, 65535};
      const uint16_t ys[] = {0, 1, 767, 768, 32767, 65535};
      x = xs[below(6)];
      y = ys[below(6)];
    } else if (pick < 40) {
      x = static_cast<uint16_t>(below(ScreenWidth));
      y = static_cast<uint16_t>(below(ScreenHeight));
    } else {
      const Region &region = Targets[below(std::size(Targets))];
      x = static_cast<uint16_t>(region.left - 1 + below(region.right - region.left + 3));
      y = static_cast<uint16_t>(region.top - 1 + below(region.bottom - region.top + 3));
    }
  }

  SDL_Event keyEvent() {
    SDL_Event event{};
    event.type = below(10) == 0 ? SDL_KEYUP : SDL_KEYDOWN;
    event.key.type = event.type;
    SDL_keysym &key = event.key.keysym;
    const uint32_t pick = below(100);
    if (pick < 45) {
      const char c = static_cast<char>(below(2) ? 'a' + below(26) : 'A' + below(26));
      key.sym = static_cast<SDLKey>(SDLK_a + (c | 0x20) - 'a');
      key.unicode = static_cast<uint16_t>(c);
    } else if (pick < 52) {
      key.sym = static_cast<SDLKey>(SDLK_0 + below(10));
      key.unicode = static_cast<uint16_t>('0' + (key.sym - SDLK_0));
    } else if (pick < 57) {
      key.sym = SDLK_SPACE;
      key.unicode = ' ';
    } else if (pick < 70) {
      key.sym = SDLK_BACKSPACE;
      key.unicode = 8;
    } else if (pick < 80) {
      key.sym = SDLK_RETURN;
      key.unicode = 13;
    } else if (pick < 82) {
      key.sym = SDLK_ESCAPE;
      key.unicode = 27;
    } else if (pick < 85) {
      key.sym = SDLK_KP_ENTER;
      key.unicode = 13;
    } else if (pick < 90) {
      // Accented letters and punctuation as a French layout sends them.
      const uint16_t characters[] = {233, 224, 231, '-', '_', '.', '/', 0};
      key.sym = static_cast<SDLKey>(below(SDLK_LAST));
      key.unicode = characters[below(std::size(characters))];
    } else {
      key.sym = static_cast<SDLKey>(below(SDLK_LAST));
      key.unicode = static_cast<uint16_t>(random_());
    }
    if (event.type == SDL_KEYUP)
      key.unicode = 0;
    return event;
  }

  SDL_Event randomEvent() {
    const int32_t mode = editor_.state.mode;
    const bool typing = mode == EnteringLevelName || mode == EnteringAuthorName;
    const uint32_t pick = below(1000);
    // Mostly keys while a name is asked for; mostly the mouse otherwise.
    const uint32_t keyShare = typing ? 600 : 30;
    if (pick < 2)
      return quitEvent();
    if (pick < 4) {
      SDL_Event other{};
      const uint8_t types[] = {SDL_ACTIVEEVENT, SDL_VIDEORESIZE, SDL_VIDEOEXPOSE,
                               SDL_USEREVENT,   SDL_SYSWMEVENT,  SDL_JOYBUTTONDOWN};
      other.type = types[below(std::size(types))];
      return other;
    }
    if (pick < 4 + keyShare)
      return keyEvent();
    SDL_Event event{};
    if (below(100) < 45) {
      event.type = SDL_MOUSEMOTION;
      event.motion.type = SDL_MOUSEMOTION;
      aim(event.motion.x, event.motion.y);
      return event;
    }
    event.type = below(2) ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button.type = event.type;
    const uint8_t buttons[] = {SDL_BUTTON_LEFT,
                               SDL_BUTTON_LEFT,
                               SDL_BUTTON_LEFT,
                               SDL_BUTTON_RIGHT,
                               SDL_BUTTON_RIGHT,
                               SDL_BUTTON_MIDDLE,
                               SDL_BUTTON_WHEELUP,
                               SDL_BUTTON_WHEELDOWN,
                               SDL_BUTTON_WHEELDOWN,
                               0,
                               6,
                               255};
    event.button.button = buttons[below(std::size(buttons))];
    aim(event.button.x, event.button.y);
    return event;
  }

  static SDL_Event quitEvent() {
    SDL_Event event{};
    event.type = SDL_QUIT;
    return event;
  }

  void remember(const SDL_Event &event) {
    char line[160];
    switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      std::snprintf(line, sizeof line, "mode %d key %s sym %d char %d", editor_.state.mode,
                    event.type == SDL_KEYDOWN ? "down" : "up", event.key.keysym.sym,
                    event.key.keysym.unicode);
      break;
    case SDL_MOUSEMOTION:
      std::snprintf(line, sizeof line, "mode %d motion %d,%d", editor_.state.mode, event.motion.x,
                    event.motion.y);
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      std::snprintf(line, sizeof line, "mode %d button %d %s at %d,%d", editor_.state.mode,
                    event.button.button, event.type == SDL_MOUSEBUTTONDOWN ? "press" : "release",
                    event.button.x, event.button.y);
      break;
    default:
      std::snprintf(line, sizeof line, "mode %d event type %d", editor_.state.mode, event.type);
    }
    recent_.emplace_back(line);
    if (recent_.size() > 12)
      recent_.pop_front();
  }

  static bool acceptedText(const std::string &text) {
    if (text.size() > TextFieldMaxLength)
      return false;
    return std::all_of(text.begin(), text.end(), [](char c) {
      return c == ' ' || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    });
  }

  bool checkFields() {
    const EditorState &state = editor_.state;
    if (state.brickCount < 0 || state.brickCount > BrickSlots)
      return fail("brickCount " + std::to_string(state.brickCount));
    if (state.mode < Editing || state.mode > BrowsingLevels)
      return fail("mode " + std::to_string(state.mode));
    if (state.painting != 0 && state.painting != 1)
      return fail("painting " + std::to_string(state.painting));
    if (state.spacingX < 0 || state.spacingX > MaxSpacingX || state.spacingY < 0 ||
        state.spacingY > MaxSpacingY)
      return fail("spacing out of range");
    if (state.offsetX < -MaxOffsetX || state.offsetX > MaxOffsetX || state.offsetY < -MaxOffsetY ||
        state.offsetY > MaxOffsetY)
      return fail("offset out of range");
    if (state.relativeX < -1 || state.relativeX > 1 || state.relativeY < -1 || state.relativeY > 1)
      return fail("direction out of range");
    if (editor_.currentBrickType < 0 || editor_.currentBrickType > LastBrickType)
      return fail("currentBrickType " + std::to_string(editor_.currentBrickType));
    EditorState box = state;
    updatePatternBox(editor_.selection, box);
    if (std::memcmp(&box, &state, sizeof box) != 0)
      return fail("pattern box is not that of the selection");
    if (!acceptedText(editor_.levelNameField.text()) || !acceptedText(editor_.authorField.text()))
      return fail("name field holds \"" + editor_.levelNameField.text() + "\" / \"" +
                  editor_.authorField.text() + "\"");
    const int64_t names = static_cast<int64_t>(editor_.levelList.size());
    const int64_t lastScroll = names > BrowserRowsShown ? names - BrowserRowsShown : 0;
    if (state.browserScroll < 0 || state.browserScroll > lastScroll)
      return fail("browserScroll " + std::to_string(state.browserScroll) + " with " +
                  std::to_string(names) + " names");
    return true;
  }

  bool inLevel(const Brick &brick) const {
    return brick.x >= LevelLeft && brick.y >= LevelTop && brick.x + BrickWidth <= LevelRight &&
           brick.y + BrickHeight <= LevelBottom;
  }

  // A placed brick lies inside the level, has a type, and overlaps no other brick in use.
  bool checkPlaced(int slot) {
    const Brick &brick = editor_.bricks[slot];
    if (!inLevel(brick))
      return fail("brick placed at " + std::to_string(brick.x) + "," + std::to_string(brick.y) +
                  " lies outside the level");
    if (brick.type < 1 || brick.type > LastBrickType)
      return fail("brick placed with type " + std::to_string(brick.type));
    for (int other = 0; other < editor_.state.brickCount; ++other) {
      const Brick &o = editor_.bricks[other];
      if (other != slot && bricksOverlap(brick.x, brick.y, o.x, o.y))
        return fail("brick placed at " + std::to_string(brick.x) + "," + std::to_string(brick.y) +
                    " overlaps the one at " + std::to_string(o.x) + "," + std::to_string(o.y));
    }
    return true;
  }

  std::vector<std::pair<int32_t, int32_t>> positionsInUse() const {
    std::vector<std::pair<int32_t, int32_t>> positions;
    for (int slot = 0; slot < editor_.state.brickCount; ++slot)
      positions.emplace_back(editor_.bricks[slot].x, editor_.bricks[slot].y);
    std::sort(positions.begin(), positions.end());
    return positions;
  }

  // Bricks still in use from the last opened file; an erased one is gone from them for good.
  void forgetErasedLoadedBricks() {
    std::vector<std::pair<int32_t, int32_t>> kept;
    const auto inUse = positionsInUse();
    std::set_intersection(loaded_.begin(), loaded_.end(), inUse.begin(), inUse.end(),
                          std::back_inserter(kept));
    loaded_ = std::move(kept);
  }

  // Every brick not from the opened file keeps the rules; run now and then, it costs n².
  bool checkAllPlaced() {
    std::vector<std::pair<int32_t, int32_t>> unmatched = loaded_;
    for (int slot = 0; slot < editor_.state.brickCount; ++slot) {
      const std::pair<int32_t, int32_t> at{editor_.bricks[slot].x, editor_.bricks[slot].y};
      auto found = std::lower_bound(unmatched.begin(), unmatched.end(), at);
      if (found != unmatched.end() && *found == at) {
        unmatched.erase(found);
        continue;
      }
      if (!checkPlaced(slot))
        return false;
    }
    return true;
  }

  bool checkBricks(const SDL_Event &event, const Snapshot &before, bool wasBrowsing) {
    const EditorState &state = editor_.state;
    const bool changed =
        state.brickCount != before.state.brickCount ||
        std::memcmp(editor_.bricks.data(), before.bricks.data(),
                    sizeof(Brick) * static_cast<std::size_t>(std::max(state.brickCount, 0))) != 0;
    const bool leftRelease =
        event.type == SDL_MOUSEBUTTONUP && event.button.button == SDL_BUTTON_LEFT;
    const bool rightRelease =
        event.type == SDL_MOUSEBUTTONUP && event.button.button == SDL_BUTTON_RIGHT;
    const bool placing = event.type == SDL_MOUSEMOTION || (event.type == SDL_MOUSEBUTTONDOWN &&
                                                           event.button.button == SDL_BUTTON_LEFT);

    if (leftRelease && wasBrowsing) {
      if (changed || state.mode == Editing) {
        ++counts_.levelOpens;
        loaded_ = positionsInUse();
      }
      return true;
    }
    if (!changed)
      return counts_.events % 4096 != 0 || checkAllPlaced();
    if (before.state.mode != Editing)
      return fail("bricks changed outside the Editing mode");
    if (placing) {
      if (state.brickCount <= before.state.brickCount)
        return fail("a placement changed bricks without adding any");
      for (int slot = 0; slot < before.state.brickCount; ++slot)
        if (std::memcmp(&editor_.bricks[slot], &before.bricks[slot], sizeof(Brick)) != 0)
          return fail("a placement moved a brick already laid");
      for (int slot = before.state.brickCount; slot < state.brickCount; ++slot)
        if (!checkPlaced(slot))
          return false;
      counts_.bricksPlaced += state.brickCount - before.state.brickCount;
      return true;
    }
    if (rightRelease) {
      // Retyping keeps the count; erasing takes away exactly one brick.
      if (state.brickCount != before.state.brickCount &&
          state.brickCount != before.state.brickCount - 1)
        return fail("a right click changed the count by more than one");
      forgetErasedLoadedBricks();
      return true;
    }
    if (leftRelease) {
      // Only "clear all" changes bricks on a left release in the Editing mode.
      if (state.brickCount != 0)
        return fail("a left release changed bricks without clearing them");
      loaded_.clear();
      return true;
    }
    return fail("bricks changed on an event that must not change them");
  }

  // The level just saved reads back as it was.
  bool checkSaved(const Snapshot &before) {
    if (editor_.state.mode != Editing)
      return fail("saving did not return to Editing");
    if (before.state.brickCount == 0)
      return true;
    ++counts_.saves;
    const std::string path = "niv/" + before.levelName + ".lvbk";
    Bricks read{};
    EditorState state = initialEditorState();
    if (!readLevelFile(path, read, state))
      return fail("the level saved as " + path + " cannot be read");
    if (state.brickCount != before.state.brickCount ||
        std::memcmp(read.data(), before.bricks.data(),
                    sizeof(Brick) * static_cast<std::size_t>(state.brickCount)) != 0)
      return fail("the level saved as " + path + " reads back differently");
    return true;
  }
};

// The reader echoes authors and the browser reports errors on standard output: millions of
// events would flood the test log. Restored before any failure is reported there.
class QuietStdout {
public:
  QuietStdout() {
    std::fflush(stdout);
    saved_ = dup(STDOUT_FILENO);
    const int devNull = open("/dev/null", O_WRONLY);
    dup2(devNull, STDOUT_FILENO);
    close(devNull);
  }
  ~QuietStdout() {
    std::fflush(stdout);
    dup2(saved_, STDOUT_FILENO);
    close(saved_);
  }
  QuietStdout(const QuietStdout &) = delete;
  QuietStdout &operator=(const QuietStdout &) = delete;

private:
  int saved_ = -1;
};

class SoakTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_EQ(TTF_Init(), 0);
    font_ = TTF_OpenFont(RUN_DIR "/comic.ttf", 16);
    ASSERT_NE(font_, nullptr) << "no font in " RUN_DIR;

    // In memory where possible: every save syncs the disk, and thousands of saves would wait.
    const fs::path base =
        fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
    std::string pattern = (base / "brickedit-soak-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    workDir_ = pattern;
    previousDir_ = fs::current_path();
    fs::current_path(workDir_);
    fs::create_directory("niv");
    for (const auto &[name, bytes] : ruleBreakingLevels())
      std::ofstream("niv/" + name, std::ios::binary) << bytes;
  }

  void TearDown() override {
    if (!previousDir_.empty())
      fs::current_path(previousDir_);
    std::error_code ignored;
    if (!workDir_.empty())
      fs::remove_all(workDir_, ignored);
    if (font_ != nullptr)
      TTF_CloseFont(font_);
    TTF_Quit();
  }

  TTF_Font *font_ = nullptr;
  fs::path workDir_;
  fs::path previousDir_;
};

TEST_F(SoakTest, NoEventSequenceBreaksTheEditor) {
  const long events = environmentNumber("BRICKEDIT_SOAK_EVENTS", 2000000);
  const uint32_t seed = static_cast<uint32_t>(environmentNumber("BRICKEDIT_SOAK_SEED", 20261206));
  Soak soak(seed, font_);
  std::string failure;
  {
    QuietStdout quiet;
    for (long i = 0; i < events && failure.empty(); ++i) {
      if (i % 50000 == 49999)
        soak.reshuffleLevelDirectory();
      if (!soak.step())
        failure = "event " + std::to_string(i) + " (seed " + std::to_string(seed) +
                  "): " + soak.failure() + "\nlast events:\n" + soak.recentEvents();
    }
  }
  ASSERT_TRUE(failure.empty()) << failure;
  const Counts &counts = soak.counts();
  // Every mode must have been soaked, else the run proves little.
  for (int mode = 0; mode < 4; ++mode)
    EXPECT_GT(counts.eventsInMode[mode], events / 1000) << "mode " << mode;
  EXPECT_GT(counts.levelOpens, events / 20000);
  EXPECT_GT(counts.saves, events / 20000);
  EXPECT_GT(counts.bricksPlaced, events / 1000);

  RecordProperty("events", static_cast<int>(counts.events));
  RecordProperty("levelOpens", static_cast<int>(counts.levelOpens));
  RecordProperty("saves", static_cast<int>(counts.saves));
  std::fprintf(stderr,
               "soaked %ld events (seed %u): %ld editing, %ld level name, %ld author, %ld "
               "browsing; %ld levels opened, %ld saved and read back, %ld bricks placed\n",
               counts.events, seed, counts.eventsInMode[0], counts.eventsInMode[1],
               counts.eventsInMode[2], counts.eventsInMode[3], counts.levelOpens, counts.saves,
               counts.bricksPlaced);
}

} // namespace
