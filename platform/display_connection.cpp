// Kept apart from the other sources (and our header first): the window
// system's headers define macros (None, Window, Display) that clash with ours.
#include "platform/display.h"

#include <SDL.h>
#include <SDL_syswm.h>

namespace tapo::platform {

int display_connection_fd(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
#if defined(SDL_VIDEO_DRIVER_X11)
  if (SDL_GetWindowWMInfo(window, &info) && info.subsystem == SDL_SYSWM_X11) return ConnectionNumber(info.info.x11.display);
#endif
  return -1;
}

}  // namespace tapo::platform
