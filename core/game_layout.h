// What every game screen has in the same places but each game places itself:
// one row per game, written in the game's own layout header
// (games/<game>/layout.h), which its media maker includes too.
#pragma once

#include "platform/surface.h"

namespace tapo::core {

struct GameLayout {
  const char* form;    // "frm_terc"
  const char* folder;  // the game's media folder, "TERC"
  // The footprints back to the games menu and the help question mark; the
  // controls take the size of their pictures, these sizes are what the
  // pictures are drawn at.
  platform::Rect leave;
  platform::Rect help;
  const char* face;  // the talking-head clip of the introduction, in the folder
  const char* head;  // the picture box that is the talking head: "video" or "michacka"
};

}  // namespace tapo::core
