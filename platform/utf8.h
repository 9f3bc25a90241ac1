// Text as the game keeps it: UTF-8.  Names stored by older copies of the game
// are in the Central European Windows code page; they are read as such when
// they are not valid UTF-8.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tapo::platform {

bool valid_utf8(std::string_view s);
// Windows-1250 bytes as UTF-8.
std::string cp1250_to_utf8(std::string_view s);
// `s` itself when it is valid UTF-8, else read as Windows-1250.
std::string stored_text_to_utf8(std::string_view s);
// Characters (code points) of valid UTF-8.
std::size_t utf8_length(std::string_view s);
// Removes the last character of valid UTF-8 (nothing when empty).
void utf8_pop_back(std::string& s);

}  // namespace tapo::platform
