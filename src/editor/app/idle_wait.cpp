#include "editor/app/idle_wait.h"

#include <SDL.h>
#include <SDL_syswm.h>

#include <X11/Xlib.h>
#include <poll.h>

Display *screenDisplay() {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWMInfo(&info) <= 0 || info.subsystem != SDL_SYSWM_X11)
    return nullptr;
  return info.info.x11.display;
}

void waitForInput(const IdleWait &wait, int timeoutMs) {
  if (wait.display == nullptr) {
    SDL_Delay(1);
    return;
  }
  // Events already read from the connection (drawing reads replies, and the events that come
  // with them) would not wake poll().
  SDL_Event event;
  if (SDL_PeepEvents(&event, 1, SDL_PEEKEVENT, SDL_ALLEVENTS) > 0 || XPending(wait.display) > 0)
    return;
  // poll() passes over a descriptor of -1.
  pollfd descriptors[] = {{ConnectionNumber(wait.display), POLLIN, 0}, {wait.wakeFd, POLLIN, 0}};
  poll(descriptors, 2, timeoutMs);
}
