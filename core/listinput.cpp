#include "core/listinput.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace tapo::core {

double val(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  std::string num;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) num += text[i++];
  bool digits = false, point = false;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (std::isdigit(static_cast<unsigned char>(c))) {
      digits = true;
      num += c;
    } else if (c == '.' && !point) {
      point = true;
      num += c;
    } else {
      break;
    }
  }
  return digits ? std::strtod(num.c_str(), nullptr) : 0;
}

bool is_whole_number(std::string_view item) {
  if (!item.empty() && (item[0] == '-' || item[0] == '+')) item.remove_prefix(1);
  return !item.empty() && item.find_first_not_of("0123456789") == std::string_view::npos;
}

int clamped_int(double v, int lo, int hi) {
  if (std::isnan(v)) return lo;
  if (v <= lo) return lo;
  if (v >= hi) return hi;
  return static_cast<int>(v);
}

std::optional<std::string> read_text_file(const std::filesystem::path& file) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(file, ec)) return std::nullopt;
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::vector<std::string> list_items(std::string_view text) {
  std::vector<std::string> items;
  size_t i = 0;
  const size_t n = text.size();
  auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
  while (i < n) {
    while (i < n && blank(text[i])) ++i;
    if (i >= n) break;
    std::string item;
    if (text[i] == '"') {
      const size_t close = text.find('"', i + 1);
      item = std::string(text.substr(i + 1, (close == std::string_view::npos ? n : close) - i - 1));
      i = close == std::string_view::npos ? n : close + 1;
      while (i < n && text[i] != ',' && text[i] != '\n') ++i;  // rest up to the separator is ignored
    } else {
      const size_t start = i;
      while (i < n && text[i] != ',' && text[i] != '\n') ++i;
      size_t end = i;
      while (end > start && blank(text[end - 1])) --end;
      item = std::string(text.substr(start, end - start));
    }
    // A line end right after a value is its separator; an empty line is no item.
    if (i < n) {
      const bool was_newline = text[i] == '\n';
      ++i;
      if (was_newline && item.empty()) continue;
    }
    items.push_back(std::move(item));
  }
  return items;
}

std::vector<std::string> text_lines(std::string_view text) {
  std::vector<std::string> lines;
  size_t i = 0;
  while (i < text.size()) {
    size_t nl = text.find('\n', i);
    if (nl == std::string_view::npos) nl = text.size();
    std::string line(text.substr(i, nl - i));
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    i = nl + 1;
  }
  return lines;
}

}  // namespace tapo::core
