// Spoken clips: each sentence of a text synthesized with the most natural
// offline voice there is for the language (Festival's HTS voice for English,
// else espeak-ng) and joined into one WAV (22050 Hz, 16-bit, mono); the marks
// are the byte offsets of the sample data where each following sentence
// starts, so the mascot pauses between sentences.
#pragma once

#include <cstdint>
#include <filesystem>
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

// Writes `wav` and returns the marks; false when synthesis failed.
bool synthesize(const std::string& text, const std::filesystem::path& wav, std::vector<std::uint32_t>& marks,
                const std::string& lang);

}  // namespace tapo::media
