// The frame every game screen shares: the background of the game's folder,
// the footprints that lead back to the games menu, the question mark that
// plays (or stops) the spoken help, the talking head that introduces the game
// on the first activation, and the mascot's spoken comments on answers.
//
// A game form owns one GameFrame, calls load() at the start of its load step,
// activate() from its activation (with its own opening and first example),
// and mouse_move() from its own mouse-move handler.  Everything that differs
// between the games is one row of the layout table.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/tapo_iii.h"
#include "platform/ui.h"

namespace tapo::core {

struct GameFrameLayout {
  const char* form;    // "frm_terc"
  const char* folder;  // the game's media folder, "TERC"
  int leave_x, leave_y;
  int help_x, help_y;
  const char* face;  // the talking-head clip of the introduction, in the folder
  const char* head;  // the picture box that is the talking head: "video" or "michacka"
};

// The row of a game form; null for a form that is not a game.
const GameFrameLayout* game_frame_layout(std::string_view form);

class GameFrame {
 public:
  GameFrame(platform::Form& form, const GameFrameLayout& layout);

  // The common part of the load step: caption, size, background, the leave
  // and help controls with their pictures, the talking head (hidden), and
  // `started` = `leaving` = false.
  void load();
  // The first activation: the introduction, then, unless the screen was left
  // meanwhile, `opening` (the game's own opening and its first example).
  // Later activations do nothing.
  void activate(const std::function<void()>& opening);
  // The form's own mouse move: the controls go back to their normal pictures.
  void mouse_move();

  // A file of the game's folder: "HELP.WAV" -> "\TERC\HELP.WAV".
  MediaPath file(std::string_view name) const;
  // The mascot comments an answer: `kind` "SPRAVNE" or "SPATNE" with the
  // clip's number, spoken with `face` (a clip of the game's folder).  False
  // when the screen was left meanwhile: the caller stops at once.
  bool comment(std::string_view kind, int n, std::string_view face);
  // A shared comment "\UNI_SND\UNI<n>.DAT", likewise.
  bool comment_shared(int n, std::string_view face);
  // Speaks any mark file with a clip of the game's folder, likewise.
  bool say(const MediaPath& marks, std::string_view face);

  // Whether the game goes on: the form is loaded and was not left.
  bool playing() const { return form_.loaded() && !leaving; }

  platform::PictureBox& head() const { return *head_; }
  platform::PictureBox& leave_control() const { return *stopy_; }
  platform::PictureBox& help_control() const { return *kruh_; }
  const GameFrameLayout& layout() const { return layout_; }

  // Runs just before the form unloads when it is left.
  std::function<void()> before_unload;

  bool started = false;
  bool leaving = false;

  // The handlers of the controls (public for the tests).
  void leave_click();
  void help_click();
  void head_click();

 private:
  void set_lit(platform::PictureBox& box, bool lit);

  platform::Form& form_;
  const GameFrameLayout& layout_;
  platform::PictureBox* stopy_ = nullptr;
  platform::PictureBox* kruh_ = nullptr;
  platform::PictureBox* head_ = nullptr;
  std::optional<platform::Surface> leave_normal_, leave_lit_, help_normal_, help_lit_;
  bool introducing_ = false;
};

}  // namespace tapo::core
