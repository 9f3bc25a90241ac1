// The scene as a `shot` saved it, read back so that a test can see what a
// child would see at a place.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "platform/surface.h"

namespace tapo::test {

// A PNG written by the game's `shot` (8-bit RGB, unfiltered rows).
std::optional<platform::Surface> load_shot(const std::filesystem::path& file);
// How many pixels of `place` differ between two shots.
int pixels_changed(const platform::Surface& before, const platform::Surface& after, platform::Rect place);
// The rectangle [x, y, w, h] that follows `"key": ` in a dump (`"at": [...]`).
platform::Rect rect_after(const std::string& state, const std::string& key);

}  // namespace tapo::test
