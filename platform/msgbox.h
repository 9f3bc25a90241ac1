// Message boxes: a real dialog in a window run; in a headless run the text
// goes to the trace and to stderr.  Returns when the box is closed.
#pragma once

#include <string>

namespace tapo::platform {

enum class MsgIcon { None, Exclamation, Stop };

void message_box(const std::string& title, const std::string& text, MsgIcon icon = MsgIcon::None);

}  // namespace tapo::platform
