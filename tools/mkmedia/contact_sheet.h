// A contact sheet: every picture of a folder and sampled frames of its clips,
// scaled into labelled cells of one PNG, to look the art over at a glance.
#pragma once

#include <filesystem>

namespace tapo::media {

bool write_contact_sheet(const std::filesystem::path& folder, const std::filesystem::path& png);

}  // namespace tapo::media
