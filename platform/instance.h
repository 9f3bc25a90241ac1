// Where the program keeps its configuration, and the guard against a second
// copy running on the same configuration or the same profiles.
#pragma once

#include <filesystem>

namespace tapo::platform {

// "$XDG_CONFIG_HOME/tapo", or "~/.config/tapo" when XDG_CONFIG_HOME is unset
// or not absolute.
std::filesystem::path config_dir();

// Takes the lock file "tapo.lock" in `dir` (creating the folder when needed).
// Returns false when another live process holds it.  The lock goes with the
// process, however it ends.
// Held per folder: the configuration folder and the data folder each have one.
bool acquire_instance_lock(const std::filesystem::path& dir);

// True when a new file can be made in `dir` (tried, then removed).
bool folder_takes_files(const std::filesystem::path& dir);

}  // namespace tapo::platform
