#include "editor/control/frame_pacing.h"

#include <algorithm>

namespace {

int64_t untilTick(uint32_t now, uint32_t at) {
  return std::max<int64_t>(static_cast<int32_t>(at - now), 0);
}

} // namespace

int sleepMilliseconds(uint32_t now, const LoopDue &due) {
  int64_t sleep = UntilInput;
  if (due.frameWanted)
    sleep = untilTick(now, due.lastFrameTicks + due.frameInterval);
  if (due.timer) {
    const int64_t timer = untilTick(now, *due.timer);
    sleep = sleep == UntilInput ? timer : std::min(sleep, timer);
  }
  return static_cast<int>(sleep);
}
