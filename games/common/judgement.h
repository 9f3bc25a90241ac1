// How a judged answer shows on the scene, in every game alike: a round badge
// at the answer's place for a little over a second, a tick on green for a
// right answer and a cross on red for a wrong one (shape as well as colour,
// so that a child who cannot tell red from green, or cannot hear the comment,
// still sees what happened).
#pragma once

#include <string>

#include "platform/json.h"
#include "platform/surface.h"
#include "platform/ui.h"

namespace tapo::games {

enum class Verdict { Right, Wrong };

// How long a sign stays on the scene.
inline constexpr int kSignShownMs = 1300;
// How long the right answer stands after a miss, before the next example,
// and the green it is written in where a game writes it out.
inline constexpr int kShowRightMs = 1800;
inline constexpr platform::Rgb kRightInk = platform::rgb(20, 130, 40);

// Where the badge stands for an answer at `place` (scene pixels): over the
// place's top right corner, so the answer itself stays readable, and whole
// inside the scene.
platform::Rect sign_rect(platform::Rect place);
// Draws the badge filling `at`, blended over what `scene` shows there.
void draw_sign(platform::Surface& scene, platform::Rect at, Verdict verdict);

// A screen's last judgement: shown for kSignShownMs, remembered for `dump`.
class Judgement {
 public:
  explicit Judgement(platform::Form& form);

  // Judges the answer at `place` of the form, the control (or thing) `where`.
  void show(Verdict verdict, std::string where, platform::Rect place);
  // Takes the sign away before its time (the place is about to change).
  void hide();
  bool showing() const { return showing_; }

  void draw(platform::Surface& scene, int ox, int oy) const;
  // "judged": {"verdict": "wrong", "where": "zakuv_vysledek", "at": [x, y, w, h], "showing": true}
  void describe(platform::JsonObject& vars) const;

 private:
  platform::Form& form_;
  platform::FormTimer timer_;
  bool judged_ = false, showing_ = false;
  Verdict verdict_ = Verdict::Right;
  std::string where_;
  platform::Rect place_, sign_;
};

}  // namespace tapo::games
