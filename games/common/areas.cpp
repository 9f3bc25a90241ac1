#include "games/common/areas.h"

#include <charconv>
#include <string>

#include "core/listinput.h"

namespace tapo::games {

namespace {

std::optional<int> whole_number(const std::string& item) {
  constexpr int kLimit = 32768;  // coordinates and sizes lie this near the scene
  int v = 0;
  const char* end = item.data() + item.size();
  const auto [at, error] = std::from_chars(item.data() + (item.starts_with('+') ? 1 : 0), end, v);
  if (error != std::errc{} || at != end || v < -kLimit || v > kLimit) return std::nullopt;
  return v;
}

}  // namespace

std::optional<std::vector<int>> read_records(std::string_view text, std::size_t fields, std::size_t least,
                                             std::size_t most) {
  const auto items = core::list_items(text);
  if (items.size() % fields != 0 || items.size() / fields > most || items.size() / fields < least) return std::nullopt;
  std::vector<int> numbers;
  for (const std::string& item : items) {
    const auto n = whole_number(item);
    if (!n) return std::nullopt;
    numbers.push_back(*n);
  }
  return numbers;
}

std::optional<std::vector<platform::Rect>> read_areas(std::string_view text, std::size_t most) {
  const auto v = read_records(text, 4, 0, most);
  if (!v) return std::nullopt;
  std::vector<platform::Rect> areas;
  for (std::size_t i = 0; i < v->size(); i += 4) {
    const platform::Rect r{(*v)[i], (*v)[i + 1], (*v)[i + 2], (*v)[i + 3]};
    if (r.w < 0 || r.h < 0) return std::nullopt;
    areas.push_back(r);
  }
  return areas;
}

std::optional<std::vector<platform::Point>> read_positions(std::string_view text, std::size_t fields,
                                                           std::size_t least, std::size_t most) {
  const auto v = read_records(text, fields, least, most);
  if (!v) return std::nullopt;
  std::vector<platform::Point> positions;
  for (std::size_t i = 0; i < v->size(); i += fields) positions.push_back({(*v)[i + fields - 2], (*v)[i + fields - 1]});
  return positions;
}

}  // namespace tapo::games
