// The media files the game can open, kept with the code (one file per media
// folder: a game's in games/<game>/manifest.txt, the others in
// core/manifest/*.txt; "HD:\FOLDER\FILE.EXT" or "HD_SHORT:\FILE.EXT" lines,
// '#' comments).
#pragma once

#include <string>
#include <vector>

#include "core/tapo_iii.h"

namespace tapo::core {

std::vector<MediaPath> media_manifest();
// Parses manifest text; lines it cannot read are returned in `bad`.
std::vector<MediaPath> parse_manifest(const std::string& text, std::vector<std::string>* bad = nullptr);

// Checks the configured folders against the manifest: prints each missing
// file to `out` and returns how many are missing.
int check_media(std::FILE* out);

}  // namespace tapo::core
