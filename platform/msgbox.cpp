#include "platform/msgbox.h"

#include <SDL.h>

#include <cstdio>

#include "platform/display.h"
#include "platform/trace.h"
#include "platform/utf8.h"

namespace tapo::platform {
namespace {

// The dialog does not wrap long lines itself (it would run off the screen):
// the text is broken at blanks into lines of at most `width` characters.
std::string wrapped(const std::string& text, std::size_t width) {
  std::string out, line;
  std::size_t pos = 0;
  while (pos <= text.size()) {
    std::size_t end = text.find_first_of(" \n", pos);
    if (end == std::string::npos) end = text.size();
    const std::string word = text.substr(pos, end - pos);
    if (!line.empty() && utf8_length(line) + 1 + utf8_length(word) > width) {
      out += line + "\n";
      line.clear();
    }
    line += (line.empty() ? "" : " ") + word;
    if (end < text.size() && text[end] == '\n') {
      out += line + "\n";
      line.clear();
    }
    pos = end + 1;
  }
  return out + line;
}

}  // namespace

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
  SDL_ShowSimpleMessageBox(flags, title.c_str(), wrapped(text, 64).c_str(), nullptr);
  if (was_full) display.set_fullscreen(true);
}

}  // namespace tapo::platform
