// Spoken clips: each sentence of a text synthesized with the most natural
// offline voice there is for the language (Festival's HTS voice for English,
// else espeak-ng) and joined into one sound (22050 Hz, 16-bit, mono); where
// each sentence starts gives the talking head's marks (so the mascot pauses
// between sentences) and the captions.
#pragma once

#include <cstdint>
#include <filesystem>
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

// Speaks `text` in `lang`; scratch files are named after `scratch`.
// nullopt when no voice could speak it.
std::optional<Speech> synthesize(const std::string& text, const std::string& lang, const std::string& scratch);

}  // namespace tapo::media
