#include "core/screens.h"

#include <stdexcept>
#include <string>

#include "platform/ui.h"

namespace tapo::core::screens {

void show(std::string_view name) {
  auto& forms = platform::Forms::instance();
  const std::string screen(name);
  if (!forms.known(screen)) throw std::logic_error("no screen " + screen);
  forms.get(screen)->show();
}

}  // namespace tapo::core::screens
