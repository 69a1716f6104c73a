#include "game/play_time.h"

#include <cstdio>

std::string playTimeText(uint32_t ticks) {
  char text[32];
  std::snprintf(text, sizeof text, "%u:%02u.%03u", ticks / 60000, ticks / 1000 % 60, ticks % 1000);
  return text;
}
