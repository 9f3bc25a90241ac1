// Private-profile ("INI") files, read and written key by key.
//
// Reading follows the classic profile-string rules: a missing file, section or
// key yields the default "ERROR"; section and key names match without regard
// to ASCII case; blanks around names and values are dropped; a value enclosed
// in a matching pair of quotes loses them (and a value written with blanks or
// quotes around it is stored inside a further pair, so it reads back as
// written).  Writing changes only the one line
// (or adds the key / section / file) and leaves every other line as it was.
// Each write is crash-safe: a temporary file in the same folder is written,
// flushed and renamed over the old one.
#pragma once

#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>
#include <utility>

namespace tapo::platform {

inline constexpr std::string_view kIniMissing = "ERROR";

// The value of `key` in `section` of `file`, or "ERROR" when the file,
// section or key is missing.  A key present with an empty value gives "".
// Values longer than 254 bytes are cut there (the original read into a
// 255-byte buffer); a cut never splits a UTF-8 sequence.
std::string read_ini(const std::filesystem::path& file, std::string_view section,
                     std::string_view key);

// Whether `file` reads as a profile-string file.  A missing one does (it
// holds nothing); one that is not a regular file, cannot be read, holds
// bytes no text has (NUL and the other control codes but tab, the line
// ends and DOS's end-of-file mark), or has lines but not one section does not.  Files saved as UTF-16
// and lines ended by a bare CR read as any other.
bool ini_readable(const std::filesystem::path& file);

// Sets `key` = `value` in `section`, creating the file, the section or the
// key when missing.  Returns false when the file could not be written, or
// is UTF-16 and the names or the value are not UTF-8 (the old file is then
// left untouched).
bool write_ini(const std::filesystem::path& file, std::string_view section,
               std::string_view key, std::string_view value);

// Sets several keys of one section in one replace of the file: after a
// crash the file holds either all of them or none.
using IniEntry = std::pair<std::string_view, std::string_view>;
bool write_ini(const std::filesystem::path& file, std::string_view section, std::initializer_list<IniEntry> entries);
bool write_ini(const std::filesystem::path& file, std::string_view section, const std::vector<IniEntry>& entries);

}  // namespace tapo::platform
