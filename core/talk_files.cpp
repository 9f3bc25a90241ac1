#include "core/talk_files.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

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

std::vector<CaptionLine> read_captions(std::string_view file_text) {
  std::vector<CaptionLine> out;
  for (const auto& raw : text_lines(file_text)) {
    const auto tab = raw.find('\t');
    if (tab == 0 || tab == std::string::npos || raw.find_first_not_of("0123456789") != tab) continue;
    CaptionLine line{static_cast<std::uint32_t>(clamped_int(val(raw.substr(0, tab)), 0, INT32_MAX)), raw.substr(tab + 1)};
    while (!line.text.empty() && line.text.back() == ' ') line.text.pop_back();
    if (!line.text.empty()) out.push_back(std::move(line));
  }
  std::stable_sort(out.begin(), out.end(), [](const auto& a, const auto& b) { return a.start < b.start; });
  return out;
}

const CaptionLine* caption_at(const std::vector<CaptionLine>& lines, std::uint32_t position) {
  auto after = std::upper_bound(lines.begin(), lines.end(), position,
                                [](std::uint32_t p, const CaptionLine& l) { return p < l.start; });
  return after == lines.begin() ? nullptr : &*(after - 1);
}

}  // namespace tapo::core
