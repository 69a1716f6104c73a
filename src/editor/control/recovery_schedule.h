#pragma once
// When the recovery copy is written: a plain function of what the loop has seen and the clock,
// so that the loop can ask it each pass, and its idle wait when to wake up next.
//
// While the work differs from what was last saved or opened, the copy is written at most 10 s
// after the first change it does not hold yet, and never sooner than 2 s after the last write.
// A mouse button held (a drag under way) puts it off, but only until 9 s after that change, so
// that the write still lands within the 10 s. Once the work equals what is on disk again, the
// copy is removed at once.

#include "editor/control/input_event.h"

#include <cstdint>

// The copy is written no more often than this.
constexpr uint32_t RecoveryGapMs = 2000;
// Past this much time after the first change the copy lacks, a held button no longer waits.
constexpr uint32_t RecoveryForcedMs = 9000;

// Times are the loop's millisecond ticks, compared in unsigned arithmetic so that the wrap of
// the counter does no harm.
struct RecoverySchedule {
  // The work differs from what was last saved or opened (the window title's "*").
  bool unsaved = false;
  // A copy is on disk, or on its way there, and has not been removed since.
  bool copyExists = false;
  // The level differs from what the copy holds (or there is no copy), since that tick.
  bool behind = false;
  uint32_t behindSince = 0;
  // A write was last asked for at that tick.
  bool written = false;
  uint32_t writtenAt = 0;
  // The mouse buttons held, one bit each, from the input events.
  unsigned buttonsHeld = 0;
};

enum class RecoveryAction { None, Write, Remove };

struct RecoveryDecision {
  RecoveryAction action = RecoveryAction::None;
  // When a write will be due if nothing changes meanwhile (now when it is due now).
  bool due = false;
  uint32_t dueAt = 0;
};

RecoveryDecision decideRecovery(const RecoverySchedule &schedule, uint32_t now);

// Follows the mouse buttons pressed and released.
void noteHeldButtons(RecoverySchedule &schedule, const InputEvent &event);
