// The base of every screen of the game: its media folder, the common load
// (caption, the whole scene, the folder's background picture) and the
// `leaving` flag that `dump` shows.  Game screens build on GameScreen
// (games/common/game_screen.h); the shop, the room and the ride on this.
#pragma once

#include <string>
#include <string_view>

#include "core/tapo_iii.h"
#include "platform/ui.h"

namespace tapo::core {

// Where the caption strip lies over a screen: where it covers fewer of the
// screen's controls (the strip's own choice), or where the screen says.
enum class CaptionPlace { Auto, Top, Bottom };

class Screen : public platform::Form {
 public:
  Screen(std::string name, std::string folder) : Form(std::move(name)), folder_(std::move(folder)) {}

  // A file of the screen's folder: "HELP.WAV" -> "\TERC\HELP.WAV".
  MediaPath file(std::string_view name) const {
    return {Root::Media, "\\" + folder_ + "\\" + std::string(name)};
  }
  const std::string& folder() const { return folder_; }

  // Set when the screen has been left (it is unloaded then).
  bool leaving = false;
  CaptionPlace caption_place = CaptionPlace::Auto;

  // What the screen alone held goes as it is unloaded, not when another
  // screen happens to need the room: the clip kept for it and the fonts
  // (the screens still up open theirs again).  A screen that adds to this
  // calls it too.
  void on_unload() override;

 protected:
  // Caption, the whole scene, and the folder's picture `background` as the
  // form's picture; `leaving` false.
  void load_screen(std::string_view background = "POZADI.BMP");
  // The same for a screen whose picture is two screens wide (the shop, the
  // room): it goes into a picture box `name` whose left half the form shows
  // beneath.  Read once, and no picture of its size is made before it comes.
  platform::PictureBox& load_wide_screen(const std::string& name);

 private:
  std::string folder_;
};

}  // namespace tapo::core
