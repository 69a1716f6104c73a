#pragma once
// One input event as the editor sees it, apart from the windowing library: the loop turns each
// library event into one of these at the edge, and tests and fuzzers feed them directly.

#include "editor/text_field.h"

#include <cstdint>

enum class InputKind { None, KeyDown, Motion, ButtonDown, ButtonUp, Quit };

// Mouse buttons as the library numbers them; 4 and 5 are the wheel.
enum MouseButton : int {
  MouseLeft = 1,
  MouseMiddle = 2,
  MouseRight = 3,
  WheelUp = 4,
  WheelDown = 5,
};

struct InputEvent {
  InputKind kind = InputKind::None;
  // Pointer position of a mouse event, the event's unsigned 16-bit values.
  uint16_t x = 0;
  uint16_t y = 0;
  int button = 0;
  // A key press: the key and its translated Latin-1 character (0 for none).
  Key key = Key::Other;
  uint16_t character = 0;
  // Ctrl and Shift as they stood at the event, a key press or a mouse event alike.
  bool ctrl = false;
  bool shift = false;
};
