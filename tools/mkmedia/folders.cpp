#include "tools/mkmedia/folders.h"

namespace tapo::media {

std::map<std::string, FolderMaker>& folder_makers() {
  static std::map<std::string, FolderMaker> makers;
  return makers;
}

bool register_folder(const std::string& name, FolderMaker make) {
  folder_makers()[name] = std::move(make);
  return true;
}

}  // namespace tapo::media
