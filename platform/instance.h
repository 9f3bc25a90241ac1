// Where the program keeps its configuration, and the guard against a second
// copy running on the same configuration or the same profiles.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace tapo::platform {

// "$XDG_CONFIG_HOME/tapo", or "~/.config/tapo" when XDG_CONFIG_HOME is unset
// or not absolute.
std::filesystem::path config_dir();

// The folders where an installation keeps its settings for every user:
// "tapo" in each of $XDG_CONFIG_DIRS ("/etc/xdg" when unset), in order.
std::vector<std::filesystem::path> system_config_dirs();

// A folder as a settings file may write it for any user: "~" at its start
// is the home folder, "${XDG_DATA_HOME}" and "${XDG_CACHE_HOME}" the user's
// data and cache folders (their defaults when unset), "${TAPO_SHARE}" the
// installation's shared files ("../share/tapo" from the game's program).
std::string expand_folder(std::string value);

// Takes the lock of the folder `dir` and of its file "tapo.lock" (creating
// both when needed; a lock file that cannot be written is locked read-only,
// one that cannot be opened at all leaves the folder's lock alone).
// Returns false when another live process holds either.  The locks go with
// the process, however it ends.  Held per folder: the configuration folder
// and the data folder each have one.
bool acquire_instance_lock(const std::filesystem::path& dir);

// True when a new file can be made in `dir` (tried, then removed).
bool folder_takes_files(const std::filesystem::path& dir);

}  // namespace tapo::platform
