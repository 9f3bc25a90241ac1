// The base of every game screen: the background of the game's folder, the
// footprints that lead back to the games menu, the question mark that plays
// (or stops) the spoken help, the talking head that introduces the game on
// the first activation, the mascot's comments on answers, and the coins.
//
// A game fills in the hooks; the base's own handlers call them, so no game
// can forget the frame's part.  Everything that differs between the games'
// frames is the row of its layout header (games/<game>/layout.h).
#pragma once

#include <string>
#include <string_view>

#include "core/game_layout.h"
#include "core/screen.h"
#include "games/common/judgement.h"
#include "platform/ui.h"
#include "players/profiles.h"

namespace tapo::games {

class GameScreen : public core::Screen {
 public:
  explicit GameScreen(const core::GameLayout& layout);

  void on_load() final;
  void on_activate() final;
  void on_mouse_move(int x, int y) final;
  void describe(platform::JsonObject& vars) const final;
  void draw_above(platform::Surface& scene, int ox, int oy) const final;

  // The handlers of the frame's controls (public for the tests).
  void leave_click();
  virtual void help_click();
  void head_click();

  platform::PictureBox& head() const { return *head_; }
  platform::PictureBox& leave_control() const { return *stopy_; }
  platform::PictureBox& help_control() const { return *kruh_; }
  const core::GameLayout& layout() const { return layout_; }

  // Set once the introduction has run (and the game's opening with it).
  bool started = false;

 protected:
  // The game's own load step, after the frame's.
  virtual void load_game() {}
  // The introduction on the first activation: the folder's INTRO talk.
  virtual void introduce();
  // The game's opening and first example, after the introduction.
  virtual void open_game() {}
  // The game's own form mouse move, after the frame's controls went dark.
  virtual void game_mouse_move(int /*x*/, int /*y*/) {}
  // The game's variables for `dump`, after `started` and `leaving`.
  virtual void describe_game(platform::JsonObject& /*vars*/) const {}
  // Runs when the screen is left, just before it unloads.
  virtual void before_leave() {}
  // The folder's sound that the help control plays.
  virtual std::string help_sound() const { return "HELP.WAV"; }

  // The mascot speaks the mark file `marks` with `face`, a clip of the folder.
  void say(const core::MediaPath& marks, std::string_view face);
  // Cuts the mascot short if he is speaking, and lets events run.
  void interrupt_talk();
  // Comments an answer: `kind` "SPRAVNE" or "SPATNE" and the clip's number.
  void comment(std::string_view kind, int n, std::string_view face);
  // A shared comment "\UNI_SND\UNI<n>.DAT".
  void comment_shared(int n, std::string_view face);
  // A file the game cannot do without is unreadable or damaged: the child's
  // grown-up is told which, and the screen goes back to the games menu.
  void file_broken(const core::MediaPath& file);
  // The picture a box shows stays in the scene where the box stands.
  void keep_in_scene(const platform::PictureBox& box);
  // Shows the verdict on the answer at `place` (form pixels), given by the
  // control or thing `where` (named so in `dump`).
  void judge(Verdict verdict, std::string where, platform::Rect place);
  void judge(bool right, const platform::Control& answer) {
    judge(right ? Verdict::Right : Verdict::Wrong, answer.name(), answer.rect);
  }
  // The right answer, already shown at `place`, stands ticked for
  // kShowRightMs before the game goes on.
  void show_right(std::string where, platform::Rect place);
  void show_right(const platform::Control& answer) { show_right(answer.name(), answer.rect); }
  // Takes the sign away early (its place is about to show something new).
  void clear_judgement() { judgement_.hide(); }
  // Pays what is due through the piggy bank, opened at `at` of the screen;
  // the footprints do not lead away while it counts.
  void award(players::CoinsDue& due, platform::Point at);

  // A new example can be answered from now on: the tries and the time of its
  // answers in the learning record count from here.  When the piglet's play
  // time for the day is over, Tapo says goodbye instead and the game ends
  // (unless `may_end` is false: a chain whose next step is asked for).
  void example_posed(bool may_end = true);
  // Writes a judged answer of the current example to the learning record:
  // its kind, the example as the child reads it, the answer expected and
  // given; `attempt` 0 counts it as the example's next try.
  void record_answer(std::string kind, std::string example, std::string expected, std::string given, bool right,
                     int attempt = 0);

 private:
  void set_lit(platform::PictureBox& box, bool lit);
  // The day's play is over: the sign for a while, then back to the menu.
  void good_night();

  const core::GameLayout& layout_;
  platform::PictureBox* stopy_ = nullptr;
  platform::PictureBox* kruh_ = nullptr;
  platform::PictureBox* head_ = nullptr;
  std::optional<platform::Surface> leave_normal_, leave_lit_, help_normal_, help_lit_;
  bool introducing_ = false;
  bool good_night_ = false;
  Judgement judgement_{*this};
  platform::Ms posed_at_ = 0;
  int tries_ = 0;
};

// A run of right answers in a row, of which every `every`-th is special (a
// bonus show, a coin); a wrong answer starts it again.
class RightRun {
 public:
  explicit RightRun(int every) : every_(every) {}
  // Counts a right answer; true when it completes a run of `every`.
  bool right() { return ++count_ % every_ == 0; }
  void restart() { count_ = 0; }
  int count() const { return count_; }

 private:
  int every_;
  int count_ = 0;
};

}  // namespace tapo::games
