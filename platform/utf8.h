// Text as the game keeps it: UTF-8.  Names stored by older copies of the game
// are in the Windows code page of their language (Central European, or
// Cyrillic for Russian); they are read as such when they are not valid UTF-8.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tapo::platform {

bool valid_utf8(std::string_view s);
// `bytes` in `charset` (as iconv names it: "CP1250", "UTF-16LE") as UTF-8,
// and back; what cannot be converted becomes U+FFFD (or "?").
std::string to_utf8(std::string_view bytes, const char* charset);
std::string from_utf8(std::string_view text, const char* charset);
// `s` itself when it is valid UTF-8, else read as Windows-1251 when the
// family speaks Russian ("ru") and as Windows-1250 otherwise.
std::string stored_text_to_utf8(std::string_view s, std::string_view language = {});
// Characters (code points) of valid UTF-8.
std::size_t utf8_length(std::string_view s);
// Removes the last character of valid UTF-8 (nothing when empty).
void utf8_pop_back(std::string& s);

}  // namespace tapo::platform
