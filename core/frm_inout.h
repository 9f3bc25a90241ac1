// The start-up screen: the opening picture on the way in, the closing
// picture on the way out.
#pragma once

#include "platform/loop.h"
#include "platform/ui.h"

namespace tapo::core {

class FrmInout : public platform::Form {
 public:
  FrmInout();
  void on_load() override;
  void on_activate() override;
  void on_click() override;
  void describe(platform::JsonObject& vars) const override;

 private:
  void casomira_timer();
  platform::FormTimer casomira{*this, 10000, [this] { casomira_timer(); }};
  bool handed_over_ = false;
};

}  // namespace tapo::core
