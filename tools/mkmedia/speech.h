// Spoken clips: each sentence of a text synthesized with the most natural
// offline voice there is for the language (Festival's HTS voice for English,
// else espeak-ng) and joined into one sound (22050 Hz, 16-bit, mono); where
// each sentence starts gives the talking head's marks (so the mascot pauses
// between sentences) and the captions.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tapo::media {

struct SpeechLine {
  std::string file;       // "CUNICI\\INTRO"
  std::string situation;  // when it is heard
  std::string text;
};

// Reads the table of spoken clips: "file<TAB>situation<TAB>text" lines,
// '#' comments; given a folder, every .tsv file in it.
std::vector<SpeechLine> read_speech_table(const std::filesystem::path& table);

struct Speech {
  std::vector<std::int16_t> pcm;        // 22050 Hz mono
  std::vector<std::string> sentences;   // as spoken, one after the other
  std::vector<std::uint32_t> starts;    // where each begins: bytes of the sample data
};

// The voice of one language.  Every sentence is synthesized once: the voice
// keeps what it has said, in memory and, given a cache folder, on disk by
// voice, effects and text, so that other runs (another folder, another
// build) take it from there.  A sentence sounds the same whatever is said
// before or after it, so a kept sentence is the sentence spoken anew.
class Voice {
 public:
  Voice(std::string lang, std::filesystem::path cache = {});
  ~Voice();
  Voice(const Voice&) = delete;
  Voice& operator=(const Voice&) = delete;

  // Speaks every sentence of `texts` not said before, in one run of the
  // synthesizer; false when no voice could speak one of them.
  bool learn(const std::vector<std::string>& texts);
  // `text` spoken; nullopt when no voice could speak it.
  std::optional<Speech> speak(const std::string& text);

 private:
  std::optional<std::vector<std::int16_t>> kept(const std::string& key) const;
  void keep(const std::string& key, const std::vector<std::int16_t>& pcm) const;

  std::string lang_;
  std::filesystem::path cache_;
  std::filesystem::path scratch_;  // the synthesizers' own files, removed with the voice
  std::map<std::string, std::vector<std::int16_t>> said_;  // by sentence
};

}  // namespace tapo::media
