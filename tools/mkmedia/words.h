// The words the pictures carry (the workbook's buttons, the title
// pictures' greeting) and the captions of sound effects, in the pack's
// language.  English is the pictures'
// own; another language's are in SPEECH/L/pictures.txt, "key<TAB>text"
// lines ('#' comments), and a key it lacks stays English.
#pragma once

#include <filesystem>
#include <string>

namespace tapo::media {

void load_words(const std::filesystem::path& speech, const std::string& lang);
const std::string& word(const std::string& key);

}  // namespace tapo::media
