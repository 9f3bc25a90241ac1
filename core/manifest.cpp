#include "core/manifest.h"

#include <cstdio>

#include "core/listinput.h"
#include "platform/paths.h"

namespace tapo::core {

extern const char* const kMediaManifestText;  // generated from core/manifest/*.txt

std::vector<MediaPath> parse_manifest(const std::string& text, std::vector<std::string>* bad) {
  std::vector<MediaPath> out;
  for (std::string line : text_lines(text)) {
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    const auto colon = line.find(':');
    const std::string key = colon == std::string::npos ? "" : line.substr(0, colon);
    const std::string path = colon == std::string::npos ? "" : line.substr(colon + 1);
    Root root;
    if (key == "HD") root = Root::Media;
    else if (key == "HD_SHORT") root = Root::Data;
    else if (key == "HD2") root = Root::Work;
    else {
      if (bad) bad->push_back(line);
      continue;
    }
    if (path.size() < 2 || path[0] != '\\') {
      if (bad) bad->push_back(line);
      continue;
    }
    out.push_back({root, path});
  }
  return out;
}

std::vector<MediaPath> media_manifest() { return parse_manifest(kMediaManifestText); }

int check_media(std::FILE* out) {
  int missing = 0;
  const auto shared_data = data_template();  // copied into the data folder at start
  for (const auto& m : media_manifest()) {
    if (file_exists(m)) continue;
    if (m.root == Root::Data && !shared_data.empty() && platform::media_file_exists(shared_data, m.path)) continue;
    std::fprintf(out, "missing %s\n", trace_path(m).c_str());
    ++missing;
  }
  return missing;
}

}  // namespace tapo::core
