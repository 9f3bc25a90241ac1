// A player's coins as the hub screens show them: a gold coin and the number
// on a small light card, which reads over any background.
#pragma once

#include "platform/ui.h"

namespace tapo::players {

class Purse : public platform::Label {
 public:
  Purse(platform::Form& owner, std::string name, platform::Rect rect);
  // The coins shown (the card goes when `shown` is false).
  void show(int coins, bool shown = true);
  void draw(platform::Surface& scene, int ox, int oy) const override;
  bool opaque() const override { return true; }
};

}  // namespace tapo::players
