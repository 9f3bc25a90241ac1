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
  if (!background.empty())
    if (auto picture_file = load_media_picture(file(background))) pf::put_picture(picture, std::move(*picture_file));
  leaving = false;
}

pf::PictureBox& Screen::load_wide_screen(const std::string& name) {
  load_screen("");
  auto& box = add<pf::PictureBox>(name, pf::Rect{0, 0, 2 * bounds.w, bounds.h});
  auto wide = load_media_picture(file("POZADI.BMP"));
  box.image = wide ? std::move(*wide) : pf::Surface(box.rect.w, box.rect.h);
  picture.blit(box.image, 0, 0);
  return box;
}

void Screen::on_unload() {
  pf::Clip::release_kept(this);
  pf::close_open_fonts();
}

}  // namespace tapo::core
