#include "core/screen.h"

#include "core/media.h"

namespace tapo::core {

void Screen::load_screen(std::string_view background) {
  caption = "Tapo - Numerino";
  bounds = {0, 0, 640, 480};
  if (auto picture_file = load_media_picture(file(background))) {
    if (picture_file->width() == picture.width() && picture_file->height() == picture.height())
      picture = std::move(*picture_file);
    else
      picture.blit(*picture_file, 0, 0);
  }
  leaving = false;
}

}  // namespace tapo::core
