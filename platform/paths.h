// Media paths are spelled as on the original CD ("\CUNICI\INTRO.BMP") and
// joined to a root folder.  Mapping such a path to a real file converts the
// separators, tolerates doubled separators and matches every component below
// the root without regard to ASCII case (media copied from a CD are often
// lower case).
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tapo::platform {

// Splits "\A\\b\C.BMP" (or with '/') into its non-empty components.
std::vector<std::string> path_components(std::string_view dos_path);

// The real file for `dos_path` under `root`.  Each component that exists in
// some spelling is replaced by that spelling (an exact match wins over a
// case-insensitive one); from the first component that does not exist on,
// the components are kept as written, so the result can name a file that is
// about to be created.  `root` itself is used as it is.
std::filesystem::path resolve_path(const std::filesystem::path& root, std::string_view dos_path);

// True when `dos_path` under `root` names an existing regular file.
bool media_file_exists(const std::filesystem::path& root, std::string_view dos_path);

// The whole content of a regular file; nullopt when it cannot be read.
std::optional<std::vector<std::uint8_t>> read_whole_file(const std::filesystem::path& file);

// The characters after the last backslash (or slash); the whole string when
// there is none.
std::string file_name_of(std::string_view path);

}  // namespace tapo::platform
