// Scripted play: a timeline of input and output commands, read lazily from a
// file or a pipe, that drives the program on the virtual clock.
//
//   # comment
//   wait MS            move the script time on
//   click X Y | down X Y | up X Y | move X Y
//   key K              a printable character, Enter, Backspace, Escape, Tab,
//                      F11, Left, Right, Up or Down
//   type TEXT          text input (UTF-8)
//   close              the window's close button
//   shot FILE          the scene as PNG
//   dump               a state line
#pragma once

#include <cstdio>
#include <functional>
#include <optional>
#include <string>

#include "platform/loop.h"

namespace tapo::platform {

class Script : public ScriptFeed {
 public:
  explicit Script(std::FILE* in) : in_(in) {}

  std::function<void(const std::string& file)> on_shot;
  std::function<void()> on_dump;

  void run_due(Ms now) override;
  std::optional<Ms> next_due(Ms now) override;

 private:
  struct Command {
    std::string verb, rest;
    int line = 0;
  };
  bool read_command();  // false at the end of the script
  void run(const Command& c);

  std::FILE* in_;
  Ms script_time_ = 0;
  std::optional<Command> pending_;
  bool ended_ = false;
  int line_no_ = 0;
};

}  // namespace tapo::platform
