#include "platform/paths.h"

#include "platform/names.h"

#include <fstream>
#include <optional>
#include <system_error>

namespace tapo::platform {
namespace {

namespace fs = std::filesystem;

bool is_separator(char c) { return c == '\\' || c == '/'; }

// The real spelling of `name` inside `dir`: the exact name when it exists,
// else the (alphabetically first) entry that differs only in ASCII case.
std::optional<std::string> find_entry(const fs::path& dir, const std::string& name) {
  std::error_code ec;
  const fs::path base = dir.empty() ? fs::path(".") : dir;
  if (fs::exists(fs::symlink_status(base / name, ec))) return name;

  std::optional<std::string> best;
  for (fs::directory_iterator it(base, ec), end; !ec && it != end; it.increment(ec)) {
    std::string entry = it->path().filename().string();
    if (same_name(entry, name) && (!best || entry < *best)) best = std::move(entry);
  }
  return best;
}

}  // namespace

std::vector<std::string> path_components(std::string_view dos_path) {
  std::vector<std::string> parts;
  std::size_t pos = 0;
  while (pos <= dos_path.size()) {
    std::size_t next = pos;
    while (next < dos_path.size() && !is_separator(dos_path[next])) ++next;
    std::string_view part = dos_path.substr(pos, next - pos);
    if (!part.empty() && part != ".") parts.emplace_back(part);
    pos = next + 1;
  }
  return parts;
}

fs::path resolve_path(const fs::path& root, std::string_view dos_path) {
  fs::path result = root;
  bool found = true;
  for (const std::string& part : path_components(dos_path)) {
    if (found) {
      std::optional<std::string> real = find_entry(result, part);
      if (real) {
        result /= *real;
        continue;
      }
      found = false;
    }
    result /= part;
  }
  return result;
}

bool media_file_exists(const fs::path& root, std::string_view dos_path) {
  std::error_code ec;
  return fs::is_regular_file(resolve_path(root, dos_path), ec);
}

std::string file_name_of(std::string_view path) {
  std::size_t last = path.find_last_of("\\/");
  if (last == std::string_view::npos) return std::string(path);
  return std::string(path.substr(last + 1));
}

std::optional<std::vector<std::uint8_t>> read_whole_file(const std::filesystem::path& file) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(file, ec)) return std::nullopt;
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  std::vector<std::uint8_t> bytes;
  // Room for the whole file at once: grown chunk by chunk, a clip's bytes
  // would take up to twice their size while its screen is up.
  if (const auto size = std::filesystem::file_size(file, ec); !ec) bytes.reserve(size);
  char buf[65536];
  while (in) {
    in.read(buf, sizeof buf);
    bytes.insert(bytes.end(), buf, buf + in.gcount());
  }
  if (in.bad()) return std::nullopt;
  return bytes;
}

}  // namespace tapo::platform
