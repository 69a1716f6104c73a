#include "editor/control/recovery_copy.h"

#include "editor/control/keep_unsaved_work.h"
#include "editor/saved_level.h"
#include "storage/level_backup.h"
#include "storage/recovery_copies.h"

#include <cstdio>
#include <unistd.h>

namespace {

// A write's failure is said once; a write that works makes the next failure news again.
void takeWriterNews(RecoveryCopy &copy) {
  std::string reason;
  const BackgroundOutcome outcome = takeOutcome(copy.writer, reason);
  if (outcome == BackgroundOutcome::Written)
    copy.failureSaid = false;
  if (outcome != BackgroundOutcome::Failed)
    return;
  copy.holdsKnown = false;
  copy.schedule.behind = true;
  copy.schedule.behindSince = copy.askedBehindSince;
  if (copy.failureSaid)
    return;
  copy.failureSaid = true;
  std::printf("Impossible d'\xc3\xa9"
              "crire la copie de secours dans %s (%s)\n",
              backupDirectory(copy.writer.levelDirectory).c_str(), reason.c_str());
  std::fflush(stdout);
}

} // namespace

void startRecoveryCopy(RecoveryCopy &copy, const std::string &levelDirectory) {
  copy.writer.levelDirectory = levelDirectory;
  copy.writer.fileName = recoveryCopyName(getpid());
  startBackgroundWriter(copy.writer);
}

void tendRecoveryCopy(RecoveryCopy &copy, const Editor &editor, uint32_t now) {
  takeWriterNews(copy);
  RecoverySchedule &schedule = copy.schedule;
  schedule.unsaved = differsFromSaved(editor);
  const auto first = editor.bricks.begin();
  const auto last = first + bricksInUse(editor.state.brickCount);
  const bool holds = copy.holdsKnown && bricksInUseAre(editor, copy.heldBricks) &&
                     copy.heldAuthor == keptAuthor(editor);
  if (!schedule.unsaved || holds) {
    schedule.behind = false;
  } else if (!schedule.behind) {
    schedule.behind = true;
    schedule.behindSince = now;
  }
  switch (decideRecovery(schedule, now).action) {
  case RecoveryAction::Write:
    copy.holdsKnown = true;
    copy.heldBricks.assign(first, last);
    copy.heldAuthor = keptAuthor(editor);
    copy.askedBehindSince = schedule.behindSince;
    schedule.copyExists = true;
    schedule.behind = false;
    schedule.written = true;
    schedule.writtenAt = now;
    requestWrite(copy.writer, unsavedLevelBytes(editor));
    break;
  case RecoveryAction::Remove:
    copy.holdsKnown = false;
    schedule.copyExists = false;
    requestRemoval(copy.writer);
    break;
  case RecoveryAction::None:
    break;
  }
}

std::optional<uint32_t> recoveryCopyDue(RecoveryCopy &copy, uint32_t now) {
  // A write takes a few milliseconds; its outcome, a failure to say, should not wait for input.
  constexpr uint32_t NewsCheckMs = 20;
  const RecoveryDecision decision = decideRecovery(copy.schedule, now);
  if (!backgroundWriterBusy(copy.writer))
    return decision.due ? std::optional<uint32_t>(decision.dueAt) : std::nullopt;
  if (!decision.due || static_cast<int32_t>(decision.dueAt - (now + NewsCheckMs)) > 0)
    return now + NewsCheckMs;
  return decision.dueAt;
}

void stopRecoveryCopy(RecoveryCopy &copy) {
  stopBackgroundWriter(copy.writer);
}
