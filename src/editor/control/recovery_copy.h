#pragma once
// The recovery copy of a running editor (recovery_copies.h): kept in step with the work by the
// event loop, which calls tendRecoveryCopy each pass, and written off the loop by a thread of
// its own (background_writer.h), so that a frame never waits for the disk.

#include "editor/control/recovery_schedule.h"
#include "editor/editor.h"
#include "storage/background_writer.h"
#include "storage/level_format.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct RecoveryCopy {
  RecoverySchedule schedule;
  // What the copy holds once the writer is done: the bricks in use and the author; unknown
  // after a write that failed.
  bool holdsKnown = false;
  std::vector<Brick> heldBricks;
  std::string heldAuthor;
  // The change the last write asked for was first seen then: a failed write leaves it due.
  uint32_t askedBehindSince = 0;
  // A failure was said and no write has worked since.
  bool failureSaid = false;
  BackgroundWriter writer;
};

// Starts the writer of this process's copy in levelDirectory's backup folder.
void startRecoveryCopy(RecoveryCopy &copy, const std::string &levelDirectory = LevelDirectory);

// Once a pass: takes the writer's news, then writes the level (unsavedLevelBytes) or removes
// the copy as decideRecovery says. A write that fails is said once, on one line (UTF-8), until
// a write works again; the editor goes on.
void tendRecoveryCopy(RecoveryCopy &copy, const Editor &editor, uint32_t now);

// When the copy will want the loop, if it will, for a loop that waits idle until then: for a
// write due, or, while the writer is at work, soon after, to take its news.
std::optional<uint32_t> recoveryCopyDue(RecoveryCopy &copy, uint32_t now);

// At the end of the run: carries out what was asked last, then ends the writer.
void stopRecoveryCopy(RecoveryCopy &copy);
