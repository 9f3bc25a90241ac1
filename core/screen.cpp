#include "core/screen.h"

#include "core/media.h"
#include "core/tapo_iii.h"
#include "platform/clip.h"
#include "platform/text.h"

namespace tapo::core {

namespace pf = tapo::platform;

void Screen::load_screen(std::string_view background) {
  caption = app_title();
  bounds = {0, 0, 640, 480};
  if (auto picture_file = load_media_picture(file(background))) pf::put_picture(picture, std::move(*picture_file));
  leaving = false;
}

void Screen::on_unload() {
  pf::Clip::release_kept(this);
  pf::close_open_fonts();
}

}  // namespace tapo::core
