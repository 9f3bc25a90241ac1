#include "games/common/areas.h"

#include <charconv>
#include <string>

#include "core/listinput.h"

namespace tapo::games {

namespace {

std::optional<int> whole_number(const std::string& item) {
  constexpr int kLimit = 100000;
  int v = 0;
  const char* end = item.data() + item.size();
  const auto [at, error] = std::from_chars(item.data() + (item.starts_with('+') ? 1 : 0), end, v);
  if (error != std::errc{} || at != end || v < -kLimit || v > kLimit) return std::nullopt;
  return v;
}

}  // namespace

std::optional<std::vector<platform::Rect>> read_areas(std::string_view text, std::size_t most) {
  const auto items = core::list_items(text);
  if (items.size() % 4 != 0 || items.size() / 4 > most) return std::nullopt;
  std::vector<platform::Rect> areas;
  for (std::size_t i = 0; i < items.size(); i += 4) {
    int v[4];
    for (int k = 0; k < 4; ++k) {
      const auto n = whole_number(items[i + static_cast<std::size_t>(k)]);
      if (!n) return std::nullopt;
      v[k] = *n;
    }
    if (v[2] < 0 || v[3] < 0) return std::nullopt;
    areas.push_back({v[0], v[1], v[2], v[3]});
  }
  return areas;
}

}  // namespace tapo::games
