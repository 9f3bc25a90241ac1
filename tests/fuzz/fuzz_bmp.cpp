// Pictures: any file is loaded as a whole picture or refused.
#include "platform/surface.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto file = fuzz::scratch_file("PICTURE.BMP", {reinterpret_cast<const char*>(data), size});
  const auto picture = tapo::platform::Surface::load_bmp(file);
  if (!picture) return 0;
  FUZZ_CHECK(picture->width() >= 0 && picture->height() >= 0, "no negative size");
  FUZZ_CHECK(picture->pixels().size() == static_cast<std::size_t>(picture->width()) * picture->height(),
             "one pixel per place");
  for (const auto p : picture->pixels()) FUZZ_CHECK(p <= 0xFFFFFF, "pixels are 0x00RRGGBB");
  return 0;
}
