#include "editor/control/recovery_schedule.h"

#include <algorithm>

RecoveryDecision decideRecovery(const RecoverySchedule &schedule, uint32_t now) {
  if (!schedule.unsaved)
    return {schedule.copyExists ? RecoveryAction::Remove : RecoveryAction::None, false, 0};
  if (!schedule.behind)
    return {};
  uint32_t wait = 0;
  const uint32_t behindFor = now - schedule.behindSince;
  if (schedule.buttonsHeld != 0 && behindFor < RecoveryForcedMs)
    wait = RecoveryForcedMs - behindFor;
  const uint32_t sinceWrite = now - schedule.writtenAt;
  if (schedule.written && sinceWrite < RecoveryGapMs)
    wait = std::max(wait, RecoveryGapMs - sinceWrite);
  return {wait == 0 ? RecoveryAction::Write : RecoveryAction::None, true, now + wait};
}

void noteHeldButtons(RecoverySchedule &schedule, const InputEvent &event) {
  const unsigned bit = 1u << (event.button & 31);
  if (event.kind == InputKind::ButtonDown)
    schedule.buttonsHeld |= bit;
  else if (event.kind == InputKind::ButtonUp)
    schedule.buttonsHeld &= ~bit;
}
