#include "core/talk_files.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "core/listinput.h"

namespace tapo::core {
namespace {
constexpr std::size_t kMaxMarks = 20;
constexpr int kFarthestPlace = 32768;  // from the scene's corner
constexpr int kSceneWidth = 640, kSceneHeight = 480;
}  // namespace

std::vector<std::uint32_t> read_marks(std::string_view text, bool* damaged) {
  std::vector<std::uint32_t> marks;
  bool bad = false;
  const auto items = list_items(text);
  for (const auto& item : items) {
    if (marks.size() == kMaxMarks) {
      bad = true;
      break;
    }
    const double v = val(item);
    bad = bad || !is_whole_number(item) || v < 0 || v > 4294967295.0 || (!marks.empty() && v < marks.back());
    marks.push_back(v <= 0 ? 0u : v >= 4294967295.0 ? 4294967295u : static_cast<std::uint32_t>(v));
  }
  if (damaged) *damaged = bad;
  return marks;
}

std::optional<platform::Point> read_placement(std::string_view text, bool& damaged) {
  const auto items = list_items(text);
  damaged = true;
  if (items.size() < 3) return std::nullopt;
  const double x = val(items[1]), y = val(items[2]);
  if (!(std::abs(x) <= kFarthestPlace && std::abs(y) <= kFarthestPlace)) return std::nullopt;
  // Read as ever; but a file of other than three whole numbers, or a head
  // placed off the scene, is no placement's own.
  damaged = items.size() != 3 || !is_whole_number(items[0]) || !is_whole_number(items[1]) ||
            !is_whole_number(items[2]) || x < 0 || x >= kSceneWidth || y < 0 || y >= kSceneHeight;
  return platform::Point{clamped_int(x, -kFarthestPlace, kFarthestPlace), clamped_int(y, -kFarthestPlace, kFarthestPlace)};
}

std::vector<CaptionLine> read_captions(std::string_view file_text, bool* damaged) {
  std::vector<CaptionLine> out;
  bool bad = false;
  for (const auto& raw : text_lines(file_text)) {
    const auto tab = raw.find('\t');
    if (tab == 0 || tab == std::string::npos || raw.find_first_not_of("0123456789") != tab) {
      bad = bad || raw.find_first_not_of(" \t") != std::string::npos;
      continue;
    }
    const double start = val(raw.substr(0, tab));
    bad = bad || start > INT32_MAX;
    CaptionLine line{static_cast<std::uint32_t>(clamped_int(start, 0, INT32_MAX)), raw.substr(tab + 1)};
    while (!line.text.empty() && line.text.back() == ' ') line.text.pop_back();
    bad = bad || std::any_of(line.text.begin(), line.text.end(), [](char c) { return c >= 0 && c < ' ' && c != '\t'; });
    if (!line.text.empty()) out.push_back(std::move(line));
  }
  // The file's last line ends as every other does; without its end it was cut short.
  if (damaged) *damaged = bad || out.empty() || file_text.back() != '\n';
  std::stable_sort(out.begin(), out.end(), [](const auto& a, const auto& b) { return a.start < b.start; });
  return out;
}

const CaptionLine* caption_at(const std::vector<CaptionLine>& lines, std::uint32_t position) {
  auto after = std::upper_bound(lines.begin(), lines.end(), position,
                                [](std::uint32_t p, const CaptionLine& l) { return p < l.start; });
  return after == lines.begin() ? nullptr : &*(after - 1);
}

}  // namespace tapo::core
