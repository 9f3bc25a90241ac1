// Each folder of the pack is made by one function, registered by name; the
// generator runs them in the order of their names.
#pragma once

#include <functional>
#include <map>
#include <string>

#include "tools/mkmedia/pack.h"

namespace tapo::media {

using FolderMaker = std::function<void(Pack&)>;
std::map<std::string, FolderMaker>& folder_makers();
bool register_folder(const std::string& name, FolderMaker make);

}  // namespace tapo::media

// Registers ::tapo::media::FUNCTION as the maker of the folder NAME.
#define MKMEDIA_FOLDER(NAME, FUNCTION) \
  namespace {                          \
  const bool registered_##FUNCTION = ::tapo::media::register_folder(NAME, ::tapo::media::FUNCTION); \
  }
