#include "editor/control/recovery_schedule.h"

#include <gtest/gtest.h>

// One case a row: the schedule (unsaved, copy on disk, behind since, written at, buttons held),
// the tick, then the action and the tick a write is due at (0: none due).
TEST(DecideRecovery, WritesWithinTenSecondsOfAChangeAndNoMoreOftenThanEveryTwo) {
  const std::tuple<RecoverySchedule, uint32_t, RecoveryAction, uint32_t> rows[] = {
      {{false, false, false, 0, false, 0, 0}, 5000, RecoveryAction::None, 0},
      {{false, true, true, 100, true, 100, 1}, 5000, RecoveryAction::Remove, 0},
      {{true, true, false, 100, true, 100, 0}, 5000, RecoveryAction::None, 0},
      {{true, false, true, 100, false, 0, 0}, 100, RecoveryAction::Write, 100},
      {{true, true, true, 4000, true, 3001, 0}, 5000, RecoveryAction::None, 5001},
      {{true, false, true, 100, false, 0, 1}, 9099, RecoveryAction::None, 9100},
      {{true, true, true, 100, true, 8000, 1}, 9100, RecoveryAction::None, 10000},
      {{true, false, true, 4294967000u, false, 0, 1}, 8704, RecoveryAction::Write, 8704},
  };
  for (const auto &[schedule, now, action, dueAt] : rows) {
    const RecoveryDecision decision = decideRecovery(schedule, now);
    EXPECT_EQ(decision.action, action) << now;
    EXPECT_EQ(decision.due ? decision.dueAt : 0, dueAt) << now;
  }
}
