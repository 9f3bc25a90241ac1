#include "platform/i18n.h"

#include <libintl.h>

#include <clocale>
#include <cstdlib>
#include <system_error>

#ifndef TAPO_LOCALEDIR
#define TAPO_LOCALEDIR "/usr/share/locale"
#endif

namespace tapo::platform {

namespace {
constexpr const char* kDomain = "tapo";
}  // namespace

void use_language(const std::string& language, const std::filesystem::path& folder) {
  // gettext reads the language from LANGUAGE, which it ignores only in the
  // plain "C" locale; the messages' locale is C.UTF-8, so that the choice
  // holds whatever locales the system has generated, and no other category
  // (numbers above all) changes.
  if (std::setlocale(LC_MESSAGES, "C.UTF-8") == nullptr) std::setlocale(LC_MESSAGES, "");
  ::setenv("LANGUAGE", language.empty() ? "en" : language.c_str(), 1);
  ::bindtextdomain(kDomain, folder.c_str());
  ::bind_textdomain_codeset(kDomain, "UTF-8");
  ::textdomain(kDomain);
}

std::filesystem::path catalogue_folder() {
  std::error_code ec;
  const auto program = std::filesystem::read_symlink("/proc/self/exe", ec).parent_path();
  // The build folder's, then an installation's wherever it was unpacked
  // (<prefix>/bin/tapo beside <prefix>/share/locale).
  if (!ec)
    for (const auto& folder : {program / "locale", program.parent_path() / "share" / "locale"})
      if (std::filesystem::exists(folder / "cs" / "LC_MESSAGES" / "tapo.mo", ec)) return folder;
  return TAPO_LOCALEDIR;
}

std::string tr(const char* english) { return ::dgettext(kDomain, english); }

std::string fill(std::string_view text, std::initializer_list<std::string_view> args) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const std::size_t n = i + 1 < text.size() ? static_cast<std::size_t>(text[i + 1] - '1') : args.size();
    if (text[i] == '%' && n < args.size()) {
      out.append(args.begin()[n]);
      ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

}  // namespace tapo::platform
