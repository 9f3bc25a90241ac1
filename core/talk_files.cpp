#include "core/talk_files.h"

#include <cmath>

#include "core/listinput.h"

namespace tapo::core {
namespace {
constexpr std::size_t kMaxMarks = 20;
constexpr int kFarthestPlace = 32768;  // from the scene's corner
}  // namespace

std::vector<std::uint32_t> read_marks(std::string_view text) {
  std::vector<std::uint32_t> marks;
  for (const auto& item : list_items(text)) {
    if (marks.size() == kMaxMarks) break;
    const double v = val(item);
    marks.push_back(v <= 0 ? 0u : v >= 4294967295.0 ? 4294967295u : static_cast<std::uint32_t>(v));
  }
  return marks;
}

std::optional<platform::Point> read_placement(std::string_view text, bool& damaged) {
  const auto items = list_items(text);
  if (items.size() < 3) return std::nullopt;
  const double x = val(items[1]), y = val(items[2]);
  damaged = !(std::abs(x) <= kFarthestPlace && std::abs(y) <= kFarthestPlace);
  if (damaged) return std::nullopt;
  return platform::Point{clamped_int(x, -kFarthestPlace, kFarthestPlace), clamped_int(y, -kFarthestPlace, kFarthestPlace)};
}

}  // namespace tapo::core
