// Reading the game's plain-text data files: list input (values separated by
// commas or line ends, strings in double quotes) and the leading-number
// conversion used for every number read from a file.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tapo::core {

// The leading number of a text: blanks skipped, an optional sign, digits and
// one decimal point; anything else ends it.  "" or "abc" give 0.
double val(std::string_view text);

// Whether an item is an optional sign and digits, nothing else: what a
// file's whole numbers look like when it is not damaged.
bool is_whole_number(std::string_view item);

// A number from a file as an int within lo..hi: out-of-range values (and
// the infinity of an endless digit string) come out as the nearer bound.
int clamped_int(double v, int lo, int hi);

// The whole text of a file, or nullopt when it cannot be read.
std::optional<std::string> read_text_file(const std::filesystem::path& file);

// Splits a text into list-input items: separated by commas or line ends,
// blanks around items dropped, a quoted item taken up to its closing quote.
std::vector<std::string> list_items(std::string_view text);

// The lines of a text, without their line ends ("\r\n" or "\n").
std::vector<std::string> text_lines(std::string_view text);

}  // namespace tapo::core
