// The game's desktop icon: Tapo waving from a rounded square of sky.
#pragma once

#include <filesystem>

namespace tapo::media {

inline constexpr const char* kAppId = "io.github.numerino.tapo";

// Writes DIR/<id>.svg and DIR/NxN/<id>.png for N = 48, 64, 128, 256.
void write_icons(const std::filesystem::path& dir);

}  // namespace tapo::media
