#include "platform/msgbox.h"

#include <SDL.h>

#include <cstdio>

#include "platform/display.h"
#include "platform/trace.h"

namespace tapo::platform {

void message_box(const std::string& title, const std::string& text, MsgIcon icon) {
  trace::event("msgbox", title + " | " + text);
  std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
  auto& display = Display::instance();
  if (display.headless()) return;
  const Uint32 flags = icon == MsgIcon::Stop          ? SDL_MESSAGEBOX_ERROR
                       : icon == MsgIcon::Exclamation ? SDL_MESSAGEBOX_WARNING
                                                      : SDL_MESSAGEBOX_INFORMATION;
  // A full-screen window would cover the dialog.
  const bool was_full = display.fullscreen();
  if (was_full) display.set_fullscreen(false);
  SDL_ShowSimpleMessageBox(flags, title.c_str(), text.c_str(), nullptr);
  if (was_full) display.set_fullscreen(true);
}

}  // namespace tapo::platform
