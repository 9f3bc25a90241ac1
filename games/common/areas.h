// Places read from a game's text files: records of numbers (list input:
// numbers separated by commas or line ends).
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "platform/surface.h"

namespace tapo::games {

// The areas in file order; nullopt when an item is not a whole number, a
// record is cut short, a size is negative, or there are more than `most`.
std::optional<std::vector<platform::Rect>> read_areas(std::string_view text, std::size_t most);

// The numbers of records of `fields` whole numbers each, in file order;
// nullopt when an item is not a whole number, a record is cut short, or there
// are fewer than `least` or more than `most` records.
std::optional<std::vector<int>> read_records(std::string_view text, std::size_t fields, std::size_t least,
                                             std::size_t most);

// Positions from records whose last two numbers are x and y (records of
// (x, y), or of (a value skipped, x, y) with `fields` 3).
std::optional<std::vector<platform::Point>> read_positions(std::string_view text, std::size_t fields,
                                                           std::size_t least, std::size_t most);

}  // namespace tapo::games
