#pragma once
// When the event loop draws, and how long it may sleep: it wakes for input, for the next frame
// something asked for, or for a timer (the recovery copy), and not otherwise, so that an idle
// editor costs nothing.

#include <cstdint>
#include <optional>

// At most one frame every 26 ms while editing; every 16 ms while a ball is moving.
constexpr uint32_t EditingFrameMs = 26;
constexpr uint32_t PlayingFrameMs = 16;

// A frame may be drawn once interval milliseconds have passed since the last one, in unsigned
// 32-bit arithmetic so that the wrap of the tick counter does no harm.
constexpr bool frameDue(uint32_t now, uint32_t lastFrameTicks, uint32_t interval = EditingFrameMs) {
  return now - lastFrameTicks >= interval;
}

// What the loop has to do when no input comes.
struct LoopDue {
  uint32_t lastFrameTicks;
  uint32_t frameInterval;
  // Something changed since the last frame, or the game goes on: a frame is wanted when due.
  bool frameWanted;
  // A tick count at which something else is due.
  std::optional<uint32_t> timer;
};

// Milliseconds the loop may sleep before something is due, 0 when it is due already, or
// UntilInput when only input can give it work. Ticks may wrap: a time up to 2^31 ms ahead is
// ahead, anything else is past.
constexpr int UntilInput = -1;
int sleepMilliseconds(uint32_t now, const LoopDue &due);
