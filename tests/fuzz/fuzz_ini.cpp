// Profile files: any text is read without fault, and writing one key changes
// only that key.  Input: the file's text, then (after zero bytes) the
// section, key and value written.
#include <string>
#include <utility>
#include <vector>

#include "platform/ini.h"
#include "platform/names.h"
#include "platform/utf8.h"
#include "tests/fuzz/fuzz_support.h"

namespace pf = tapo::platform;

namespace {

std::string_view trimmed(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

// Names that may be in the file: the text of each "[...]" line and before
// each "=", a key paired with the section above it.
std::vector<std::pair<std::string, std::string>> names_in(std::string_view text) {
  std::vector<std::pair<std::string, std::string>> names;
  std::string section;
  for (std::size_t at = 0; at < text.size() && names.size() < 32;) {
    auto nl = text.find('\n', at);
    if (nl == std::string_view::npos) nl = text.size();
    const std::string_view line = trimmed(text.substr(at, nl - at));
    at = nl + 1;
    if (line.starts_with('[')) {
      section = std::string(line.substr(1, line.find(']') == std::string_view::npos ? 0 : line.find(']') - 1));
    } else if (const auto eq = line.find('='); eq != std::string_view::npos) {
      names.emplace_back(section, std::string(line.substr(0, eq)));
    }
  }
  return names;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Input in(data, size);
  const std::string_view text = in.part(), section = in.part(), key = in.part(), value = in.part();
  const auto file = fuzz::scratch_file("TAPO.INI", text);

  const auto names = names_in(text);
  std::vector<std::string> before;
  for (const auto& [s, k] : names) before.push_back(pf::read_ini(file, s, k));

  const bool ok = pf::write_ini(file, section, key, value);
  const bool plain_names = section.find_first_of("\r\n]") == std::string_view::npos &&
                           key.find_first_of("\r\n=") == std::string_view::npos &&
                           !trimmed(key).starts_with(';') && !trimmed(key).starts_with('[');
  const bool plain_value = value.find_first_of("\r\n") == std::string_view::npos;
  // A file that may be UTF-16 (a byte-order mark, or a zero byte first or
  // second) takes only UTF-8 names and values.
  const bool maybe_utf16 = text.size() >= 2 && (static_cast<unsigned char>(text[0]) >= 0xFE || text[0] == 0 || text[1] == 0);
  const bool representable =
      !maybe_utf16 || (pf::valid_utf8(section) && pf::valid_utf8(key) && pf::valid_utf8(value));
  if (!representable) return 0;
  if (plain_names && plain_value) FUZZ_CHECK(ok, "a key without line breaks or brackets is written");
  if (!ok) return 0;

  // A value is read back cut at 254 bytes; up to that it reads back as
  // written, blanks or quotes around it included.
  if (value.size() <= 254) FUZZ_CHECK(pf::read_ini(file, section, key) == value, "the value written reads back");

  for (std::size_t i = 0; i < names.size(); ++i) {
    const auto& [s, k] = names[i];
    if (pf::same_name(trimmed(s), trimmed(section)) && pf::same_name(trimmed(k), trimmed(key))) continue;
    FUZZ_CHECK(pf::read_ini(file, s, k) == before[i], "another key keeps its value");
  }
  return 0;
}
