// Random events through the real dispatch, in every mode, with level files (many breaking the
// rules a level keeps) opened in between. After each event: fields in range, the pattern box
// current, the name fields clean, the browser scroll inside the list, bricks changed only by
// events that may change them, placed bricks inside the level and overlapping none, and every
// saved level reading back as it was.
//
// BRICKEDIT_SOAK_EVENTS sets the number of events (2 million by default); BRICKEDIT_SOAK_SEED
// replays one run.

#include "editor/app/sdl_input.h"
#include "editor/control/handle_input.h"
#include "editor/editor.h"
#include "editor/screen_layout.h"
#include "storage/level_file.h"
#include "storage_test_support.h"

#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <tuple>

namespace {

namespace fs = std::filesystem;
using Position = std::pair<int32_t, int32_t>;

// count bricks, brick i at (24 + dx * (i % columns), 30 + dy * (i / columns)), then author.
std::string level(int count, int columns, int dx, int dy, const std::string &author) {
  std::ostringstream text;
  text << count << "\r\n";
  for (int i = 0; i < count; ++i)
    text << 24 + dx * (i % columns) << ';' << 30 + dy * (i / columns) << ';' << 1 + i % 24
         << "\r\n";
  return text.str() + author;
}

// Fourteen files, so the browser scrolls; "heap" uses every slot with most of the level free.
const std::pair<std::string, std::string> RuleBreakingLevels[] = {
    {"sound.lvbk", "2\r\n24;30;5\r\n64;30;22\r\nabcd"},
    {"full.lvbk", level(396, 18, 40, 20, "Plein")},
    {"almost_full.lvbk", level(395, 18, 40, 20, "Presque")},
    {"heap.lvbk", level(396, 3, 1, 0, "Tas")},
    {"overlapping.lvbk", level(60, 2, 1, 1, "O")},
    {"outside.lvbk", "6\r\n-100;-100;1\r\n2000;900;2\r\n770;465;3\r\n0;0;4\r\n24;470;5\r\n"
                     "-2147483648;2147483647;6\r\nDehors"},
    {"odd_types.lvbk", "5\r\n100;100;0\r\n200;100;-5\r\n300;100;25\r\n400;100;99\r\n"
                       "500;100;2147483647\r\nTypes"},
    {"count_397.lvbk", level(397, 18, 40, 20, "Trop")},
    {"count_negative.lvbk", "-1\r\n24;30;5\r\nNeg"},
    {"count_huge.lvbk", "99999999999\r\n24;30;5\r\nHuge"},
    {"count_larger_than_lines.lvbk", "300\r\n24;30;5\r\n64;30;6\r\nShort"},
    {"garbage.lvbk", std::string("\xff\xfe;;;-\r\n\0\0 12 ;x", 17)},
    {"empty.lvbk", ""},
    {"blank_before_semicolon.lvbk", "3\r\n24 ;30;5\r\n64;30;6\r\nB"},
};

// The places that act, weighted; points land within a pixel of them.
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
  long events = 0, levelOpens = 0, saves = 0, bricksPlaced = 0;
  long eventsInMode[4] = {};
};

class Soak {
public:
  Soak(uint32_t seed, TTF_Font *font) : random_(seed), font_(font) {}

  // One random event, then every check; false with failure() at the first broken rule.
  bool step() {
    const SDL_Event event = randomEvent();
    const Snapshot before{editor_.bricks, editor_.state, editor_.levelNameField.text()};
    const bool savesNow = event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_RETURN &&
                          before.state.mode == EnteringAuthorName &&
                          !editor_.authorField.text().empty();
    dispatchEvent(event, editor_);
    ++counts_.events;
    ++counts_.eventsInMode[editor_.state.mode & 3];

    const bool quits = event.type == SDL_QUIT ||
                       (event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_ESCAPE);
    if (editor_.quitRequested != quits)
      return fail(quits ? "quit was not requested" : "quit requested by another event");
    editor_.quitRequested = false;
    return checkFields() && checkBricks(event, before) && (!savesNow || checkSaved(before));
  }

  const std::string &failure() const { return failure_; }
  const Counts &counts() const { return counts_; }

  // Files come and go between openings of the browser, as on a shared disk.
  void reshuffleLevelDirectory() {
    std::vector<fs::path> present;
    for (const auto &entry : fs::directory_iterator("niv"))
      present.push_back(entry.path());
    if (present.size() > 40 || below(2) == 0)
      for (const fs::path &path : present)
        if (below(2) == 0)
          fs::remove_all(path);
    for (const auto &[name, bytes] : RuleBreakingLevels)
      if (below(3) != 0 && !fs::exists("niv/" + name))
        std::ofstream("niv/" + name, std::ios::binary) << bytes;
  }

private:
  struct Snapshot {
    Bricks bricks;
    EditorState state;
    std::string levelName;
  };

  Editor editor_;
  std::mt19937 random_;
  TTF_Font *font_;
  Counts counts_;
  std::string failure_;
  // Positions of the bricks of the last opened file: they need keep no rule.
  std::vector<Position> loaded_;

  bool fail(const std::string &what) {
    failure_ = what;
    return false;
  }
  uint32_t below(uint32_t n) { return random_() % n; }

  void aim(uint16_t &x, uint16_t &y) {
    const uint32_t pick = below(100);
    if (pick < 8) {
      const uint16_t edges[] = {0, 1, 767, 768, 1023, 1024, 32767, 65535};
      x = edges[below(8)];
      y = edges[below(8)];
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
    event.type = event.key.type = below(10) == 0 ? SDL_KEYUP : SDL_KEYDOWN;
    SDL_keysym &key = event.key.keysym;
    const uint32_t pick = below(100);
    const std::pair<SDLKey, uint16_t> specials[] = {
        {SDLK_SPACE, ' '}, {SDLK_BACKSPACE, 8}, {SDLK_BACKSPACE, 8}, {SDLK_RETURN, 13},
        {SDLK_RETURN, 13}, {SDLK_ESCAPE, 27},   {SDLK_KP_ENTER, 13}, {SDLK_BACKSPACE, 8},
        {SDLK_RETURN, 13}, {SDLK_SPACE, ' '}};
    if (pick < 52) {
      const char c = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"[below(62)];
      key.sym = static_cast<SDLKey>(c | 0x20); // SDL's codes for these are the lower-case ASCII
      key.unicode = static_cast<uint16_t>(c);
    } else if (pick < 90) {
      std::tie(key.sym, key.unicode) = specials[below(std::size(specials))];
    } else {
      // Any key; sometimes what a French layout sends for accents and punctuation.
      const uint16_t characters[] = {233, 224, 231, '-', '_', '.', '/', 0};
      key.sym = static_cast<SDLKey>(below(SDLK_LAST));
      key.unicode = below(2) ? characters[below(8)] : static_cast<uint16_t>(random_());
    }
    if (event.type == SDL_KEYUP)
      key.unicode = 0;
    return event;
  }

  SDL_Event randomEvent() {
    const bool typing =
        editor_.state.mode == EnteringLevelName || editor_.state.mode == EnteringAuthorName;
    const uint32_t pick = below(1000);
    SDL_Event event{};
    if (pick < 2) {
      event.type = SDL_QUIT;
    } else if (pick < 4) {
      const uint8_t types[] = {SDL_ACTIVEEVENT, SDL_VIDEORESIZE, SDL_VIDEOEXPOSE,
                               SDL_USEREVENT,   SDL_SYSWMEVENT,  SDL_JOYBUTTONDOWN};
      event.type = types[below(std::size(types))];
    } else if (pick < (typing ? 604u : 34u)) {
      return keyEvent();
    } else if (below(100) < 45) {
      event.type = event.motion.type = SDL_MOUSEMOTION;
      aim(event.motion.x, event.motion.y);
    } else {
      event.type = event.button.type = below(2) ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
      // 1 left, 2 middle, 3 right, 4 and 5 the wheel, others unknown.
      const uint8_t buttons[] = {1, 1, 1, 3, 3, 2, 4, 5, 5, 0, 6, 255};
      event.button.button = buttons[below(std::size(buttons))];
      aim(event.button.x, event.button.y);
    }
    return event;
  }

  static bool cleanText(const std::string &text) {
    return text.size() <= TextFieldMaxLength && std::all_of(text.begin(), text.end(), [](char c) {
             return c == ' ' || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') ||
                    (c >= 'a' && c <= 'z');
           });
  }

  bool checkFields() {
    const EditorState &s = editor_.state;
    const int64_t names = static_cast<int64_t>(editor_.levelList.size());
    const struct {
      const char *name;
      int64_t value, low, high;
    } ranges[] = {
        {"brickCount", s.brickCount, 0, BrickSlots},
        {"mode", s.mode, Editing, BrowsingLevels},
        {"painting", s.painting, 0, 1},
        {"spacingX", s.spacingX, 0, MaxSpacingX},
        {"spacingY", s.spacingY, 0, MaxSpacingY},
        {"offsetX", s.offsetX, -MaxOffsetX, MaxOffsetX},
        {"offsetY", s.offsetY, -MaxOffsetY, MaxOffsetY},
        {"relativeX", s.relativeX, -1, 1},
        {"relativeY", s.relativeY, -1, 1},
        {"currentBrickType", editor_.currentBrickType, 0, LastBrickType},
        {"browserScroll", s.browserScroll, 0, std::max<int64_t>(names - BrowserRowsShown, 0)},
    };
    for (const auto &range : ranges)
      if (range.value < range.low || range.value > range.high)
        return fail(std::string(range.name) + " " + std::to_string(range.value));
    EditorState box = s;
    updatePatternBox(editor_.selection, box);
    if (std::memcmp(&box, &s, sizeof box) != 0)
      return fail("pattern box is not that of the selection");
    if (!cleanText(editor_.levelNameField.text()) || !cleanText(editor_.authorField.text()))
      return fail("name field holds \"" + editor_.levelNameField.text() + "\" / \"" +
                  editor_.authorField.text() + "\"");
    return true;
  }

  // A placed brick lies inside the level, has a type, and overlaps no other brick in use.
  bool checkPlaced(int slot) {
    const Brick &b = editor_.bricks[slot];
    const std::string where = "brick placed at " + std::to_string(b.x) + "," + std::to_string(b.y) +
                              " type " + std::to_string(b.type);
    if (b.x < LevelLeft || b.y < LevelTop || b.x + BrickWidth > LevelRight ||
        b.y + BrickHeight > LevelBottom || b.type < 1 || b.type > LastBrickType)
      return fail(where);
    for (int other = 0; other < editor_.state.brickCount; ++other)
      if (other != slot &&
          bricksOverlap(b.x, b.y, editor_.bricks[other].x, editor_.bricks[other].y))
        return fail(where + " overlaps slot " + std::to_string(other));
    return true;
  }

  std::vector<Position> positionsInUse() const {
    std::vector<Position> positions;
    for (int slot = 0; slot < editor_.state.brickCount; ++slot)
      positions.emplace_back(editor_.bricks[slot].x, editor_.bricks[slot].y);
    std::sort(positions.begin(), positions.end());
    return positions;
  }

  // Every brick not from the opened file keeps the rules; it costs n², so now and then.
  bool checkAllPlaced() {
    std::vector<Position> unmatched = loaded_;
    for (int slot = 0; slot < editor_.state.brickCount; ++slot) {
      const Position at{editor_.bricks[slot].x, editor_.bricks[slot].y};
      const auto found = std::lower_bound(unmatched.begin(), unmatched.end(), at);
      if (found != unmatched.end() && *found == at)
        unmatched.erase(found);
      else if (!checkPlaced(slot))
        return false;
    }
    return true;
  }

  bool checkBricks(const SDL_Event &event, const Snapshot &before) {
    const int32_t count = editor_.state.brickCount, countBefore = before.state.brickCount;
    const bool changed =
        count != countBefore || std::memcmp(editor_.bricks.data(), before.bricks.data(),
                                            sizeof(Brick) * static_cast<std::size_t>(count)) != 0;
    const bool button = event.type == SDL_MOUSEBUTTONDOWN || event.type == SDL_MOUSEBUTTONUP;
    const bool release = event.type == SDL_MOUSEBUTTONUP;
    const bool left = button && event.button.button == SDL_BUTTON_LEFT;
    if (release && left && before.state.mode == BrowsingLevels) {
      if (changed || editor_.state.mode == Editing) {
        ++counts_.levelOpens;
        loaded_ = positionsInUse();
      }
      return true;
    }
    if (!changed)
      return counts_.events % 4096 != 0 || checkAllPlaced();
    if (before.state.mode != Editing)
      return fail("bricks changed outside the Editing mode");
    if (event.type == SDL_MOUSEMOTION || (event.type == SDL_MOUSEBUTTONDOWN && left)) {
      if (count <= countBefore ||
          std::memcmp(editor_.bricks.data(), before.bricks.data(), sizeof(Brick) * countBefore))
        return fail("a placement added no brick or moved one already laid");
      for (int slot = countBefore; slot < count; ++slot)
        if (!checkPlaced(slot))
          return false;
      counts_.bricksPlaced += count - countBefore;
      return true;
    }
    if (release && event.button.button == SDL_BUTTON_RIGHT) {
      if (count != countBefore && count != countBefore - 1)
        return fail("a right click changed the count by more than one");
      return true;
    }
    if (release && left && count == 0) {
      loaded_.clear();
      return true;
    }
    return fail("bricks changed on an event that must not change them");
  }

  bool checkSaved(const Snapshot &before) {
    if (editor_.state.mode != Editing)
      return fail("saving did not return to Editing");
    if (before.state.brickCount == 0)
      return true;
    ++counts_.saves;
    const std::string path = "niv/" + before.levelName + ".lvbk";
    Bricks read{};
    EditorState state = initialEditorState();
    if (!readLevelFile(path, read, state) || state.brickCount != before.state.brickCount ||
        std::memcmp(read.data(), before.bricks.data(),
                    sizeof(Brick) * static_cast<std::size_t>(state.brickCount)) != 0)
      return fail("the level saved as " + path + " does not read back as it was");
    return true;
  }
};

long environmentNumber(const char *name, long fallback) {
  const char *value = std::getenv(name);
  return value != nullptr && *value != '\0' ? std::strtol(value, nullptr, 10) : fallback;
}

TEST(SoakTest, NoEventSequenceBreaksTheEditor) {
  const long events = environmentNumber("BRICKEDIT_SOAK_EVENTS", 2000000);
  const auto seed = static_cast<uint32_t>(environmentNumber("BRICKEDIT_SOAK_SEED", 20261206));
  ASSERT_EQ(TTF_Init(), 0);
  TTF_Font *font = TTF_OpenFont(RUN_DIR "/comic.ttf", 16);
  ASSERT_NE(font, nullptr) << "no font in " RUN_DIR;
  // In memory where possible: every save syncs, and thousands of saves would wait on a disk.
  ScratchDirectory work(fs::is_directory("/dev/shm") ? fs::path("/dev/shm")
                                                     : fs::temp_directory_path());
  const fs::path previousDirectory = fs::current_path();
  fs::current_path(work.path());
  fs::create_directory("niv");
  for (const auto &[name, bytes] : RuleBreakingLevels)
    std::ofstream("niv/" + name, std::ios::binary) << bytes;

  Soak soak(seed, font);
  std::string failure;
  // What the editor prints (authors echoed, browser errors) is dropped.
  printedBy([&] {
    for (long i = 0; i < events && failure.empty(); ++i) {
      if (i % 50000 == 49999)
        soak.reshuffleLevelDirectory();
      if (!soak.step())
        failure = "event " + std::to_string(i) + " (seed " + std::to_string(seed) +
                  "): " + soak.failure();
    }
  });
  fs::current_path(previousDirectory);
  TTF_CloseFont(font);
  TTF_Quit();
  ASSERT_TRUE(failure.empty()) << failure;

  const Counts &counts = soak.counts();
  for (int mode = 0; mode < 4; ++mode)
    EXPECT_GT(counts.eventsInMode[mode], events / 1000) << "mode " << mode << " barely soaked";
  EXPECT_GT(counts.levelOpens, events / 20000);
  EXPECT_GT(counts.saves, events / 20000);
  EXPECT_GT(counts.bricksPlaced, events / 1000);
  std::fprintf(stderr,
               "soaked %ld events (seed %u): %ld editing, %ld level name, %ld author, %ld "
               "browsing; %ld levels opened, %ld saved and read back, %ld bricks placed\n",
               counts.events, seed, counts.eventsInMode[0], counts.eventsInMode[1],
               counts.eventsInMode[2], counts.eventsInMode[3], counts.levelOpens, counts.saves,
               counts.bricksPlaced);
}

} // namespace
