// Plays arbitrary bytes as user input through the editor's input handling, in every mode, with
// the project's level files (many breaking the rules a level keeps) and level files made of the
// input's own bytes to open, and checks every invariant after each event. Replayed in CTest over
// its corpus and over long seeded random streams, it is the editor's soak test.

#include "../tests/support/invariants.h"
#include "editor/control/handle_input.h"
#include "editor/screen_layout.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <tuple>

namespace fs = std::filesystem;

namespace {

// Where a pointer lands: anywhere on the screen or in the 16-bit range, or in or just around a
// region that acts, the level area and the browser's list weighted most.
constexpr Region Screen{0, 0, ScreenWidth - 1, ScreenHeight - 1}, AnyPosition{0, 0, 65534, 65534};
// clang-format off
const Region Targets[] = {Screen, AnyPosition, LevelRetypeRegion, LevelRetypeRegion,
    LevelRetypeRegion, PatternGridRegion, PaletteRegion, SpecialRowRegion, SpacingXPlusRegion,
    SpacingXMinusRegion, SpacingYPlusRegion, SpacingYMinusRegion, OffsetXPlusRegion,
    OffsetXMinusRegion, OffsetYPlusRegion, OffsetYMinusRegion, ChooserRegion, ClearAllHelpRegion,
    SaveRegion, OpenRegion, BrowserPickRegion, BrowserPickRegion};
// clang-format on
// Ctrl+Z and Ctrl+Y undo and redo, Ctrl+Shift+Z redoes too, M switches mirror placement;
// Ctrl+S saves, Ctrl+O opens the browser, F1 lists the keys; the arrows and page keys move the
// browser's highlight; the selection's keys: Ctrl+A, C, X and V, Delete and the arrows, alone
// or with Shift; T plays the level, A switches the autopilot, Space serves.
const std::tuple<Key, uint16_t, bool, bool> NamedKeys[] = {
    {Key::Return, 13, false, false},   {Key::Return, 13, false, false},
    {Key::Backspace, 8, false, false}, {Key::Other, 13, false, false},
    {Key::Escape, 27, false, false},   {Key::Z, 26, true, false},
    {Key::Z, 26, true, true},          {Key::Y, 25, true, false},
    {Key::M, 'm', false, false},       {Key::S, 19, true, false},
    {Key::O, 15, true, false},         {Key::F1, 0, false, false},
    {Key::Up, 0, false, false},        {Key::Down, 0, false, false},
    {Key::PageUp, 0, false, false},    {Key::PageDown, 0, false, false},
    {Key::A, 1, true, false},          {Key::C, 3, true, false},
    {Key::X, 24, true, false},         {Key::V, 22, true, false},
    {Key::Delete, 127, false, false},  {Key::Left, 0, false, false},
    {Key::Right, 0, false, true},      {Key::Up, 0, false, true},
    {Key::T, 't', false, false},       {Key::A, 'a', false, false},
    {Key::Space, ' ', false, false}};
const int Buttons[] = {MouseLeft, MouseLeft, MouseLeft, MouseRight, MouseRight, MouseMiddle,
                       WheelUp,   WheelDown, WheelDown, 0,          6};

struct Bytes {
  const uint8_t *data;
  std::size_t size, at = 0;
  uint8_t next() { return at < size ? data[at++] : 0; }
};

// One to five bytes an event. In the name dialogs most events are keys, elsewhere few.
InputEvent nextEvent(Bytes &in, int32_t mode) {
  InputEvent event;
  const uint8_t pick = in.next(), c = in.next();
  if (pick < (mode == EnteringLevelName || mode == EnteringAuthorName ? 150 : 24)) {
    event.kind = InputKind::KeyDown;
    if (c < 60)
      std::tie(event.key, event.character, event.ctrl, event.shift) =
          NamedKeys[c % std::size(NamedKeys)];
    else
      event.character =
          c < 230 ? "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 "[c % 63]
                  : static_cast<uint16_t>(c | in.next() << 8);
    // A letter is the key of its letter, as the library reports it.
    if (event.key == Key::Other && event.character < 128)
      event.key = letterKey(static_cast<char>(std::tolower(event.character)));
  } else if (pick >= 252) {
    event.kind = pick == 255 ? InputKind::Quit : InputKind::None;
  } else {
    event.kind = pick % 3 == 0   ? InputKind::Motion
                 : pick % 3 == 1 ? InputKind::ButtonDown
                                 : InputKind::ButtonUp;
    event.button = Buttons[c % std::size(Buttons)];
    event.shift = c >= 128;
    const Region &r = Targets[in.next() % std::size(Targets)];
    event.x = static_cast<uint16_t>(r.left - 1 + in.next() * (r.right - r.left + 3) / 255);
    event.y = static_cast<uint16_t>(r.top - 1 + in.next() * (r.bottom - r.top + 3) / 255);
  }
  return event;
}

} // namespace

// A byte of 248 to 251 writes a level file of the bytes that follow instead of an event.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  // One level directory for the run, in memory where possible; never freed, as the clean-up at
  // exit needs its name. The project's level files are read once.
  static const std::string *directory = [] {
    std::string path = (fs::exists("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path()) /
                       "brickedit-fuzz-XXXXXX";
    if (mkdtemp(path.data()) == nullptr || std::freopen("/dev/null", "w", stdout) == nullptr)
      std::abort();
    std::atexit([] { fs::remove_all(*directory); });
    return new std::string(path + "/");
  }();
  static const std::vector<std::string> levels = [] {
    std::vector<std::string> found;
    for (const char *root : {PROJECT_ROOT "/tests/data", PROJECT_ROOT "/levels"})
      for (const auto &entry : fs::recursive_directory_iterator(root))
        if (entry.path().extension() == ".lvbk" && entry.is_regular_file())
          found.push_back(fileBytes(entry.path()));
    return found;
  }();

  for (const auto &entry : fs::directory_iterator(*directory))
    fs::remove_all(entry.path());
  for (std::size_t i = 0; i < levels.size(); ++i)
    std::ofstream(*directory + std::to_string(i) + ".lvbk", std::ios::binary) << levels[i];
  Editor editor;
  for (Bytes in{data, size}; in.at < in.size;) {
    if (in.data[in.at] >= 248 && in.data[in.at] < 252) {
      in.next();
      const uint8_t wanted = in.next();
      const std::size_t length = std::min<std::size_t>(wanted, in.size - in.at);
      std::ofstream(*directory + "input" + std::to_string(length % 4) + ".lvbk", std::ios::binary)
          .write(reinterpret_cast<const char *>(in.data + in.at),
                 static_cast<std::streamsize>(length));
      in.at += length;
      continue;
    }
    const InputEvent event = nextEvent(in, editor.state.mode);
    const Editor before = editor;
    handleInput(event, editor, *directory);
    if (const std::string fault = brokenRule(before, event, editor); !fault.empty()) {
      std::fprintf(stderr, "session: %s (event ending at byte %zu)\n", fault.c_str(), in.at);
      std::abort();
    }
  }
  return 0;
}
