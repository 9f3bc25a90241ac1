#include "tools/mkmedia/words.h"

#include <fstream>
#include <map>

#include "tools/mkmedia/pack.h"

namespace tapo::media {

namespace {

std::map<std::string, std::string>& words() {
  static std::map<std::string, std::string> table{
      {"check", "Check"},
      {"new-page", "New page"},
      {"change", "Change"},
      {"greeting", "Let's count together!"},
      {"farewell", "Bye-bye! See you soon!"},
      {"toys-and-games", "TOYS & GAMES"},  // the games menu's sign
      {"start", "START"},                  // the snails' starting line
      // The captions of sounds that carry meaning.
      {"sound-right", "✓"},
      {"sound-wrong", "✗"},
      {"sound-applause", "Applause!"},
      {"sound-cheering", "Cheering!"},
  };
  return table;
}

}  // namespace

void load_words(const std::filesystem::path& speech, const std::string& lang) {
  std::ifstream in(speech / lang / "pictures.txt");
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const auto tab = line.find('\t');
    if (line.empty() || line[0] == '#' || tab == std::string::npos) continue;
    const std::string key = line.substr(0, tab);
    if (!words().count(key)) fail("pictures.txt of " + lang + " names no picture's word: " + key);
    words()[key] = line.substr(tab + 1);
  }
}

const std::string& word(const std::string& key) {
  const auto it = words().find(key);
  if (it == words().end()) fail("no picture's word " + key);
  return it->second;
}

}  // namespace tapo::media
