// Plays arbitrary bytes as user input through the editor's input handling, in every mode, with
// level files (many breaking the rules a level keeps) written into the level directory and
// opened in between, and checks every invariant after each event. Replayed in CTest over its
// corpus and over long seeded random streams, it is the editor's soak test.

#include "../tests/support/invariants.h"
#include "editor/control/handle_input.h"
#include "editor/screen_layout.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace fs = std::filesystem;

namespace {

struct Bytes {
  const uint8_t *data;
  std::size_t size;
  std::size_t at = 0;
  uint8_t next() { return at < size ? data[at++] : 0; }
};

// count bricks, brick i at (24 + dx * (i % columns), 30 + dy * (i / columns)), then an author.
std::string level(int count, int columns, int dx, int dy) {
  std::ostringstream text;
  text << count << "\r\n";
  for (int i = 0; i < count; ++i)
    text << 24 + dx * (i % columns) << ';' << 30 + dy * (i / columns) << ';' << 1 + i % 24
         << "\r\n";
  return text.str() + "Auteur";
}

// Sound levels, full ones, and ones only a foreign file holds: every slot used with most of the
// level free, overlaps, positions and types out of range, counts refused or past the lines.
const std::string Levels[] = {
    level(2, 18, 40, 20),
    level(396, 18, 40, 20),
    level(395, 18, 40, 20),
    level(396, 3, 1, 0),
    level(60, 2, 1, 1),
    level(397, 18, 40, 20),
    "6\r\n-100;-100;1\r\n2000;900;2\r\n770;465;3\r\n0;0;4\r\n24;470;5\r\n"
    "-2147483648;2147483647;6\r\nDehors",
    "5\r\n100;100;0\r\n200;100;-5\r\n300;100;25\r\n400;100;99\r\n500;100;2147483647\r\nTypes",
    "-1\r\n24;30;5\r\nA",
    "99999999999\r\n24;30;5\r\nA",
    "300\r\n24;30;5\r\n64;30;6\r\nA",
    "3\r\n24 ;30;5\r\n64;30;6\r\nA",
};

// Where a pointer lands: anywhere on the screen or the 16-bit range, or in or just around a
// region that acts, the level area weighted most.
const Region Targets[] = {{0, 0, ScreenWidth - 1, ScreenHeight - 1},
                          {0, 0, 65534, 65534},
                          LevelRetypeRegion,
                          LevelRetypeRegion,
                          LevelRetypeRegion,
                          PatternGridRegion,
                          PaletteRegion,
                          SpecialRowRegion,
                          SpacingXPlusRegion,
                          SpacingXMinusRegion,
                          SpacingYPlusRegion,
                          SpacingYMinusRegion,
                          OffsetXPlusRegion,
                          OffsetXMinusRegion,
                          OffsetYPlusRegion,
                          OffsetYMinusRegion,
                          ChooserRegion,
                          ClearAllHelpRegion,
                          SaveRegion,
                          OpenRegion,
                          BrowserPickRegion,
                          BrowserPickRegion};

InputEvent nextEvent(Bytes &in, const Editor &editor) {
  InputEvent event;
  const uint8_t pick = in.next();
  const bool typing =
      editor.state.mode == EnteringLevelName || editor.state.mode == EnteringAuthorName;
  if (pick < (typing ? 150 : 6)) {
    event.kind = InputKind::KeyDown;
    const uint8_t c = in.next();
    const std::pair<Key, uint16_t> named[] = {{Key::Return, 13},
                                              {Key::Return, 13},
                                              {Key::Backspace, 8},
                                              {Key::KeypadEnter, 13},
                                              {Key::Escape, 27}};
    if (c < 60)
      std::tie(event.key, event.character) = named[c % std::size(named)];
    else if (c < 230)
      event.character = static_cast<uint8_t>(
          "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 "[c % 63]);
    else
      event.character = static_cast<uint16_t>(c | in.next() << 8);
    return event;
  }
  if (pick >= 252) {
    event.kind = pick == 255 ? InputKind::Quit : InputKind::None;
    return event;
  }
  const InputKind kinds[] = {InputKind::Motion, InputKind::ButtonDown, InputKind::ButtonUp};
  event.kind = kinds[pick % 3];
  const int buttons[] = {MouseLeft, MouseLeft, MouseLeft, MouseRight, MouseRight, MouseMiddle,
                         WheelUp,   WheelDown, WheelDown, 0,          6};
  event.button = buttons[in.next() % std::size(buttons)];
  const Region &r = Targets[in.next() % std::size(Targets)];
  event.x = static_cast<uint16_t>(r.left - 1 + in.next() * (r.right - r.left + 3) / 255);
  event.y = static_cast<uint16_t>(r.top - 1 + in.next() * (r.bottom - r.top + 3) / 255);
  return event;
}

// One level directory for the whole run, emptied before each input, in memory where possible.
// Never freed: the clean-up at exit still needs its name.
const std::string &levelDirectory() {
  static const std::string *directory = [] {
    std::string path =
        (fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path()) /
        "brickedit-fuzz-XXXXXX";
    if (mkdtemp(path.data()) == nullptr)
      std::abort();
    std::atexit([] { fs::remove_all(levelDirectory()); });
    // The editor echoes authors and prints file errors; the fuzzer's output stays readable.
    if (!std::freopen("/dev/null", "w", stdout))
      std::abort();
    return new std::string(path + "/");
  }();
  return *directory;
}

} // namespace

// Each event takes one to five bytes; a byte of 248 to 251 writes a level file instead, one of
// the built-in ones or the bytes that follow.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const std::string &directory = levelDirectory();
  for (const auto &entry : fs::directory_iterator(directory))
    fs::remove_all(entry.path());
  for (std::size_t i = 0; i < std::size(Levels); ++i)
    std::ofstream(directory + "L" + std::to_string(i) + ".lvbk", std::ios::binary) << Levels[i];
  Editor editor;
  Bytes in{data, size};
  while (in.at < in.size) {
    if (in.data[in.at] >= 248 && in.data[in.at] < 252) {
      in.next();
      const uint8_t which = in.next();
      std::ofstream file(directory + "f" + std::to_string(which % 16) + ".lvbk", std::ios::binary);
      if (which < 200) {
        file << Levels[which % std::size(Levels)];
      } else {
        const std::size_t length = std::min<std::size_t>(in.next(), in.size - in.at);
        file.write(reinterpret_cast<const char *>(in.data + in.at),
                   static_cast<std::streamsize>(length));
        in.at += length;
      }
      continue;
    }
    const InputEvent event = nextEvent(in, editor);
    const Editor before = editor;
    handleInput(event, editor, directory);
    if (const std::string fault = brokenRule(before, event, editor, directory); !fault.empty()) {
      std::fprintf(stderr, "session: %s (event ending at byte %zu)\n", fault.c_str(), in.at);
      std::abort();
    }
  }
  return 0;
}
