#include "platform/utf8.h"

#include <cerrno>
#include <cstdint>

#include <iconv.h>

namespace tapo::platform {

namespace {

// `in` from one character set to another through the C library's iconv;
// what cannot be converted (a byte the code page leaves empty, a cut-off
// character) becomes `replacement` and the conversion goes on after it.
std::string convert(std::string_view in, const char* from, const char* to, std::string_view replacement) {
  iconv_t cd = ::iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(replacement);
  std::string out;
  char buffer[1024];
  char* src = const_cast<char*>(in.data());
  std::size_t left = in.size();
  while (left > 0) {
    char* dst = buffer;
    std::size_t room = sizeof buffer;
    const std::size_t done = ::iconv(cd, &src, &left, &dst, &room);
    out.append(buffer, static_cast<std::size_t>(dst - buffer));
    if (done == static_cast<std::size_t>(-1) && errno != E2BIG) {
      out.append(replacement);
      ++src;
      --left;
      ::iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
  }
  ::iconv_close(cd);
  return out;
}

}  // namespace

std::string to_utf8(std::string_view bytes, const char* charset) {
  return convert(bytes, charset, "UTF-8", "\xEF\xBF\xBD");
}

std::string from_utf8(std::string_view text, const char* charset) {
  return convert(text, "UTF-8", charset, convert("?", "UTF-8", charset, ""));
}

bool valid_utf8(std::string_view s) {
  size_t i = 0;
  while (i < s.size()) {
    const auto c = static_cast<unsigned char>(s[i]);
    size_t n;
    std::uint32_t cp;
    if (c < 0x80) { ++i; continue; }
    if ((c & 0xE0) == 0xC0) { n = 1; cp = c & 0x1F; }
    else if ((c & 0xF0) == 0xE0) { n = 2; cp = c & 0x0F; }
    else if ((c & 0xF8) == 0xF0) { n = 3; cp = c & 0x07; }
    else return false;
    for (size_t k = 1; k <= n; ++k) {
      if (i + k >= s.size()) return false;
      const auto d = static_cast<unsigned char>(s[i + k]);
      if ((d & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (d & 0x3F);
    }
    // Overlong forms, surrogates and values past Unicode are not UTF-8.
    if ((n == 1 && cp < 0x80) || (n == 2 && cp < 0x800) || (n == 3 && cp < 0x10000) || cp > 0x10FFFF ||
        (cp >= 0xD800 && cp <= 0xDFFF))
      return false;
    i += n + 1;
  }
  return true;
}

std::string stored_text_to_utf8(std::string_view s, std::string_view language) {
  if (valid_utf8(s)) return std::string(s);
  return to_utf8(s, language == "ru" ? "CP1251" : "CP1250");
}

std::size_t utf8_length(std::string_view s) {
  std::size_t n = 0;
  for (unsigned char c : s) n += (c & 0xC0) != 0x80;
  return n;
}

void utf8_pop_back(std::string& s) {
  while (!s.empty()) {
    const auto c = static_cast<unsigned char>(s.back());
    s.pop_back();
    if ((c & 0xC0) != 0x80) break;
  }
}

}  // namespace tapo::platform
