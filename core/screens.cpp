#include "core/screens.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "platform/ui.h"

namespace tapo::core::screens {

namespace {
StandIn& stand_in() {
  static StandIn fn;  // registration, like the screens' own: set once at start-up
  return fn;
}
}  // namespace

bool not_built_yet(std::string_view name) {
  return std::find(kNotBuiltYet.begin(), kNotBuiltYet.end(), name) != kNotBuiltYet.end();
}

void set_stand_in(StandIn fn) { stand_in() = std::move(fn); }

void show(std::string_view name, platform::Rect area, std::string_view from) {
  auto& forms = platform::Forms::instance();
  const std::string screen(name);
  if (forms.known(screen)) return forms.get(screen)->show();
  if (not_built_yet(name) && stand_in()) return stand_in()(name, area, from);
  throw std::logic_error("no screen " + screen);
}

}  // namespace tapo::core::screens
