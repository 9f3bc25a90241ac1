// List input and the leading-number conversion over any text.
#include <algorithm>
#include <cmath>

#include "core/listinput.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  for (const auto& item : tapo::core::list_items(text))
    FUZZ_CHECK(!std::isnan(tapo::core::val(item)), "a number read is never NaN");
  FUZZ_CHECK(!std::isnan(tapo::core::val(text)), "a number read is never NaN");

  // One line per line end, and one more for text after the last.
  const auto lines = tapo::core::text_lines(text);
  const auto ends = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
  FUZZ_CHECK(lines.size() == ends + (text.empty() || text.back() == '\n' ? 0 : 1), "lines are counted by their ends");
  return 0;
}
