// The games' files of areas and positions, and the target game's file of
// hole positions.  Input: a byte of record shape, then the text.
#include "games/common/areas.h"
#include "games/terc/priklad.h"
#include "tests/fuzz/fuzz_support.h"

namespace g = tapo::games;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Input in(data, size);
  const std::uint8_t shape = in.byte();
  const std::size_t fields = 1 + shape % 6, least = (shape >> 3) % 4, most = 1 + (shape >> 5) * 8;
  const std::string_view text = in.rest();

  if (const auto numbers = g::read_records(text, fields, least, most)) {
    FUZZ_CHECK(numbers->size() % fields == 0, "whole records");
    FUZZ_CHECK(numbers->size() / fields >= least && numbers->size() / fields <= most, "as many records as asked");
  }
  if (const auto areas = g::read_areas(text, most)) {
    FUZZ_CHECK(areas->size() <= most, "at most `most` areas");
    for (const auto& a : *areas) FUZZ_CHECK(a.w >= 0 && a.h >= 0, "no area of negative size");
  }
  if (const auto points = g::read_positions(text, 2 + shape % 2, least, most))
    FUZZ_CHECK(points->size() >= least && points->size() <= most, "as many positions as asked");

  for (const auto& [value, points] : g::terc::nacti_pozice(text)) (void)value, (void)points.size();
  return 0;
}
