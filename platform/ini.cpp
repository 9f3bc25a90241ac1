#include "platform/ini.h"

#include "platform/names.h"
#include "platform/utf8.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstddef>
#include <optional>
#include <system_error>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

namespace tapo::platform {
namespace {

namespace fs = std::filesystem;

// Longest value handed back by read_ini (the game's buffers held 255 bytes
// including the terminating zero).
constexpr std::size_t kMaxValueBytes = 254;

bool is_blank(char c) { return c == ' ' || c == '\t'; }

std::string_view trim(std::string_view s) {
  while (!s.empty() && is_blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && is_blank(s.back())) s.remove_suffix(1);
  return s;
}

// Enclosed in a matching pair of quotes.
bool quoted(std::string_view s) {
  return s.size() >= 2 && (s.front() == '"' || s.front() == '\'') && s.back() == s.front();
}

// One line of the file, as offsets into the file's text.
struct Line {
  enum class Kind { Blank, Comment, Section, Key, Other };
  Kind kind = Kind::Other;
  std::size_t begin = 0;        // first byte of the line
  std::size_t content_end = 0;  // end of the text, before "\r\n" / "\n"
  std::size_t end = 0;          // just past the line ending (== content_end when none)
  bool ended = false;           // a line ending ends it (the last line may have none)
  std::string_view name;        // section or key name, trimmed
  std::string_view value;       // key value, trimmed
};

std::vector<Line> parse(std::string_view text) {
  std::vector<Line> lines;
  std::size_t pos = 0;
  while (pos < text.size()) {
    Line line;
    line.begin = pos;
    // A line ends in "\r\n", "\n" or a bare "\r" (files from an old Mac).
    const std::size_t nl = text.find_first_of("\r\n", pos);
    line.ended = nl != std::string_view::npos;
    line.content_end = line.ended ? nl : text.size();
    line.end = !line.ended ? text.size() : text.compare(nl, 2, "\r\n") == 0 ? nl + 2 : nl + 1;
    pos = line.end;

    std::string_view s = text.substr(line.begin, line.content_end - line.begin);
    if (line.begin == 0 && s.starts_with("\xEF\xBB\xBF")) s.remove_prefix(3);  // UTF-8 mark
    while (!s.empty() && is_blank(s.front())) s.remove_prefix(1);

    if (s.empty()) {
      line.kind = Line::Kind::Blank;
    } else if (s.front() == ';') {
      line.kind = Line::Kind::Comment;
    } else if (s.front() == '[') {
      std::size_t close = s.find(']');
      if (close != std::string_view::npos) {
        line.kind = Line::Kind::Section;
        line.name = trim(s.substr(1, close - 1));
      }
    } else if (std::size_t eq = s.find('='); eq != std::string_view::npos) {
      line.kind = Line::Kind::Key;
      line.name = trim(s.substr(0, eq));
      line.value = trim(s.substr(eq + 1));
    }
    lines.push_back(line);
  }
  return lines;
}

// Index of the first section header named `section`, if any.
std::optional<std::size_t> find_section(const std::vector<Line>& lines, std::string_view section) {
  section = trim(section);
  for (std::size_t i = 0; i < lines.size(); ++i)
    if (lines[i].kind == Line::Kind::Section && same_name(lines[i].name, section)) return i;
  return std::nullopt;
}

// One past the last line belonging to the section whose header is at `header`.
std::size_t section_end(const std::vector<Line>& lines, std::size_t header) {
  std::size_t i = header + 1;
  while (i < lines.size() && lines[i].kind != Line::Kind::Section) ++i;
  return i;
}

std::optional<std::size_t> find_key(const std::vector<Line>& lines, std::size_t header,
                                    std::string_view key) {
  key = trim(key);
  std::size_t end = section_end(lines, header);
  for (std::size_t i = header + 1; i < end; ++i)
    if (lines[i].kind == Line::Kind::Key && same_name(lines[i].name, key)) return i;
  return std::nullopt;
}

enum class LoadResult { Ok, Missing, Error };

// Reads the whole regular file at `file` into `text`.
LoadResult load_bytes(const fs::path& file, std::string& text) {
  int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return errno == ENOENT || errno == ENOTDIR ? LoadResult::Missing : LoadResult::Error;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return LoadResult::Error;
  }
  text.clear();
  char buf[16384];
  for (;;) {
    ssize_t n = ::read(fd, buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      ::close(fd);
      return LoadResult::Error;
    }
    if (n == 0) break;
    text.append(buf, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return LoadResult::Ok;
}

// The character set of a file's bytes: UTF-16 (as a Windows editor saves
// "Unicode"), told by its byte-order mark or by an ASCII first character,
// else the 8-bit text every other file holds.
const char* utf16_charset(std::string_view bytes) {
  if (bytes.size() < 2) return nullptr;
  const auto b0 = static_cast<unsigned char>(bytes[0]), b1 = static_cast<unsigned char>(bytes[1]);
  if ((b0 == 0xFF && b1 == 0xFE) || (b0 != 0 && b0 < 0x80 && b1 == 0)) return "UTF-16LE";
  if ((b0 == 0xFE && b1 == 0xFF) || (b0 == 0 && b1 != 0 && b1 < 0x80)) return "UTF-16BE";
  return nullptr;
}

// Reads the whole regular file at `file` into `text` as 8-bit text; a
// UTF-16 file is handed over as UTF-8 and `charset` names what it was.
LoadResult load(const fs::path& file, std::string& text, const char** charset = nullptr) {
  const LoadResult loaded = load_bytes(file, text);
  const char* utf16 = loaded == LoadResult::Ok ? utf16_charset(text) : nullptr;
  if (charset != nullptr) *charset = utf16;
  if (utf16 != nullptr) {
    const bool marked = static_cast<unsigned char>(text[0]) >= 0xFE;
    text = to_utf8(std::string_view(text).substr(marked ? 2 : 0), utf16);
  }
  return loaded;
}

// "<dir>/.<name>.tmp-" : every temporary file for `file` starts with this.
std::string temp_prefix(const fs::path& file) {
  std::string name = file.filename().string();
  if (name.size() > 200) name.resize(200);  // keep room below the file-name limit
  return "." + name + ".tmp-";
}

// Removes temporary files left behind by writers that were killed mid-write.
void remove_stale_temps(const fs::path& dir, const std::string& prefix) {
  std::error_code ec;
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    std::string name = it->path().filename().string();
    if (!name.starts_with(prefix)) continue;
    std::string_view rest = std::string_view(name).substr(prefix.size());
    std::size_t dash = rest.find('-');
    if (dash == 0 || dash == std::string_view::npos) continue;
    pid_t pid = 0;
    bool digits = true;
    for (char c : rest.substr(0, dash)) {
      if (c < '0' || c > '9' || pid > 100000000) {
        digits = false;
        break;
      }
      pid = pid * 10 + (c - '0');
    }
    if (!digits || pid == ::getpid()) continue;
    if (::kill(pid, 0) != 0 && errno == ESRCH) {
      std::error_code ignored;
      fs::remove(it->path(), ignored);
    }
  }
}

bool write_all(int fd, std::string_view data) {
  while (!data.empty()) {
    ssize_t n = ::write(fd, data.data(), data.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

// Replaces `file` with `text` so that after a crash at any moment the file
// holds either the old or the new text in full.
bool replace_file(const fs::path& file, std::string_view text, const struct stat* old_stat) {
  fs::path dir = file.parent_path();
  if (dir.empty()) dir = ".";
  const std::string prefix = temp_prefix(file);
  remove_stale_temps(dir, prefix);

  // A name already taken (left by an earlier run whose process id was this
  // one's) is passed over for the next.
  static std::atomic<unsigned> counter{0};
  constexpr int kMostNames = 100000;
  fs::path temp;
  int fd = -1;
  for (int tries = 0; fd < 0 && tries < kMostNames; ++tries) {
    temp = dir / (prefix + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) return false;
  }
  if (fd < 0) return false;

  bool ok = true;
  if (old_stat != nullptr) ok = ::fchmod(fd, old_stat->st_mode & 07777) == 0;
  ok = ok && write_all(fd, text) && ::fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  ok = ok && ::rename(temp.c_str(), file.c_str()) == 0;
  if (!ok) {
    ::unlink(temp.c_str());
    return false;
  }
  // Make the rename itself durable.  The new file is in place either way, so
  // a failure here (some file systems refuse to sync folders) is not an error.
  int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dfd >= 0) {
    ::fsync(dfd);
    ::close(dfd);
  }
  return true;
}

bool has_any(std::string_view s, std::string_view chars) {
  return s.find_first_of(chars) != std::string_view::npos;
}

}  // namespace

std::string read_ini(const fs::path& file, std::string_view section, std::string_view key) {
  std::string text;
  if (load(file, text) != LoadResult::Ok) return std::string(kIniMissing);
  const std::vector<Line> lines = parse(text);
  std::optional<std::size_t> header = find_section(lines, section);
  if (!header) return std::string(kIniMissing);
  std::optional<std::size_t> at = find_key(lines, *header, key);
  if (!at) return std::string(kIniMissing);

  std::string_view value = lines[*at].value;
  if (quoted(value)) value = value.substr(1, value.size() - 2);
  if (value.size() > kMaxValueBytes) {
    std::size_t cut = kMaxValueBytes;
    // Step back to the first byte of a UTF-8 sequence that would be split.
    while (cut > 0 && (static_cast<unsigned char>(value[cut]) & 0xC0) == 0x80) --cut;
    value = value.substr(0, cut);
  }
  return std::string(value);
}

bool ini_readable(const fs::path& file) {
  std::string text;
  switch (load(file, text)) {
    case LoadResult::Missing: return true;
    case LoadResult::Error: return false;
    case LoadResult::Ok: break;
  }
  const auto control = [](unsigned char c) { return c < 0x20 && c != '\t' && c != '\r' && c != '\n' && c != 0x1A; };
  if (std::any_of(text.begin(), text.end(), control)) return false;
  const std::vector<Line> lines = parse(text);
  return std::any_of(lines.begin(), lines.end(), [](const Line& l) { return l.kind == Line::Kind::Section; }) ||
         std::all_of(lines.begin(), lines.end(),
                     [](const Line& l) { return l.kind == Line::Kind::Blank || l.kind == Line::Kind::Comment; });
}

namespace {

// Anything that would read back as a different line structure is refused.
bool writable(std::string_view section, std::string_view key, std::string_view value) {
  if (has_any(section, "\r\n]") || has_any(key, "\r\n=") || has_any(value, "\r\n")) return false;
  const std::string_view trimmed_key = trim(key);
  return !trimmed_key.starts_with(';') && !trimmed_key.starts_with('[');
}

// Completes the line ending of the file's last line, which `out` ends with:
// one without gets the file's own, a bare CR in a file of CRLF its LF.
void end_last_line(std::string& out, const Line& line, std::string_view eol) {
  if (!line.ended)
    out.append(eol);
  else if (eol == "\r\n" && out.ends_with('\r'))
    out.append("\n");
}

// `text` with `key` = `value` in `section`: only that line changes, or the
// key (and the section) is added.
std::string with_entry(const std::string& text, std::string_view section, std::string_view key, std::string_view value) {
  std::string_view eol = "\r\n";
  if (std::size_t nl = text.find_first_of("\r\n"); nl != std::string::npos)
    eol = text.compare(nl, 2, "\r\n") == 0 ? "\r\n" : std::string_view(text).substr(nl, 1);

  std::string entry;
  entry.reserve(key.size() + 3 + value.size());
  entry.append(key).append("=");
  // A value the reader would change (blanks around it, or a pair of quotes
  // around it) goes inside quotes, which the reader takes off again.
  const bool padded = !value.empty() && (is_blank(value.front()) || is_blank(value.back()));
  if (padded || quoted(value))
    entry.append("\"").append(value).append("\"");
  else
    entry.append(value);

  const std::vector<Line> lines = parse(text);
  std::string out;
  out.reserve(text.size() + entry.size() + section.size() + 8);

  std::optional<std::size_t> header = find_section(lines, section);
  if (header) {
    if (std::optional<std::size_t> at = find_key(lines, *header, key)) {
      const Line& line = lines[*at];
      out.append(text, 0, line.begin).append(entry).append(text, line.content_end);
    } else {
      // After the last entry of the section, ahead of any blank lines or
      // comments that lead into the next section.
      std::size_t after = *header;
      for (std::size_t i = *header + 1, end = section_end(lines, *header); i < end; ++i)
        if (lines[i].kind == Line::Kind::Key || lines[i].kind == Line::Kind::Other) after = i;
      const Line& line = lines[after];
      out.append(text, 0, line.end);
      end_last_line(out, line, eol);
      out.append(entry).append(eol).append(text, line.end);
    }
  } else {
    out = text;
    if (!lines.empty()) {
      end_last_line(out, lines.back(), eol);
      if (lines.back().kind != Line::Kind::Blank) out.append(eol);
    }
    out.append("[").append(section).append("]").append(eol);
    out.append(entry).append(eol);
  }
  return out;
}

}  // namespace

bool write_ini(const fs::path& file, std::string_view section, std::string_view key,
               std::string_view value) {
  return write_ini(file, section, {{key, value}});
}

bool write_ini(const fs::path& file, std::string_view section, std::initializer_list<IniEntry> entries) {
  return write_ini(file, section, std::vector<IniEntry>(entries));
}

bool write_ini(const fs::path& file, std::string_view section, const std::vector<IniEntry>& entries) {
  for (const auto& [key, value] : entries)
    if (!writable(section, key, value)) return false;

  // A link is written through, also to a file not there yet; one whose
  // folder is gone (a disk not mounted) fails rather than being replaced.
  fs::path target = file;
  std::error_code ec;
  for (int hops = 0; fs::is_symlink(fs::symlink_status(target, ec)); ++hops) {
    const fs::path next = fs::read_symlink(target, ec);
    if (ec || hops == 40) return false;
    target = target.parent_path() / next;  // an absolute `next` replaces the whole
  }

  std::string text;
  const char* utf16 = nullptr;
  LoadResult loaded = load(target, text, &utf16);
  if (loaded == LoadResult::Error) return false;
  // A UTF-16 file holds only what is text: bytes that are not UTF-8 would
  // not read back as written.
  if (utf16 != nullptr && !(valid_utf8(section) && std::all_of(entries.begin(), entries.end(), [](const IniEntry& e) {
                               return valid_utf8(e.first) && valid_utf8(e.second);
                             })))
    return false;
  struct stat old_stat {};
  bool have_old = loaded == LoadResult::Ok && ::stat(target.c_str(), &old_stat) == 0;
  for (const auto& [key, value] : entries) text = with_entry(text, section, key, value);
  // A UTF-16 file stays one, with the byte-order mark an editor reads it by.
  if (utf16 != nullptr) text = from_utf8("\uFEFF" + text, utf16);
  return replace_file(target, text, have_old ? &old_stat : nullptr);
}

}  // namespace tapo::platform
