// The program's own words (message boxes, the window title, texts drawn by
// code, --help) in the family's language through GNU gettext: English in the
// code, the translations in po/<language>.po, compiled to
// <folder>/<language>/LC_MESSAGES/tapo.mo.
#pragma once

#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>

namespace tapo::platform {

// Makes `language` ("cs", "ru"; "en" or "" for the words as written) the
// language of tr(), its catalogue looked for below `folder`.
void use_language(const std::string& language, const std::filesystem::path& folder);
// The folder of the catalogues: "locale" beside the program when it runs from
// its build folder, else the installation's ("share/locale" beside "bin").
std::filesystem::path catalogue_folder();

// `english` in the chosen language; itself where the catalogue lacks it.
// (xgettext finds the texts by this name.)
std::string tr(const char* english);
// `text` with "%1", "%2" … replaced by `args` in order: a translation may
// put them where its sentence needs them.
std::string fill(std::string_view text, std::initializer_list<std::string_view> args);
// Marks a word written where it is not yet shown, so that xgettext finds it;
// tr() translates it where it is shown.
constexpr const char* tr_later(const char* english) { return english; }

}  // namespace tapo::platform
