// The screen that stands in for a game (or the toy shop) that is not built
// yet: it names it, says that it is coming, and goes back to the screen it
// came from on a click, a key, or by itself after a few seconds.
#pragma once

#include <memory>
#include <string>

#include "platform/loop.h"
#include "platform/ui.h"

namespace tapo::navigation {

// How long the placeholder stays before it returns to the menu by itself.
inline constexpr platform::Ms kPlaceholderMs = 5000;

// Shows the placeholder for the screen `game_form`; `toy` is an area of the
// picture of the screen `from` (the games menu unless said otherwise), shown
// enlarged on the placeholder; going back shows `from` again.
std::shared_ptr<platform::Form> show_game_placeholder(const std::string& game_form, platform::Rect toy,
                                                      const std::string& from = "frm_hry");

}  // namespace tapo::navigation
