// Scripted play: a timeline of input and output commands, read lazily from a
// file or a pipe, that drives the program on the virtual clock.
//
//   # comment
//   wait MS            move the script time on (at most a year a line)
//   click X Y | down X Y | up X Y | move X Y
//                      X and Y within 32768 of the scene's corner
//   key K              a printable character, Enter, Backspace, Escape, Tab,
//                      F11, Left, Right, Up or Down
//   type TEXT          text input (UTF-8)
//   close              the window's close button
//   shot FILE          the scene as PNG
//   dump               a state line
//   days N             the calendar moves on N days (0..3660)
//   click-control NAME [INDEX]
//                      a click in the middle of the active screen's control
//                      NAME (element INDEX of a control array: "NAME(INDEX)")
//   wait-until EVENT [TEXT]
//                      the clock runs until the trace has a line of EVENT
//                      whose arguments contain TEXT (at most 120 s); a line
//                      written since the previous command (or the previous
//                      wait-until's line) counts too
#pragma once

#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/loop.h"
#include "platform/surface.h"

namespace tapo::platform {

class Script : public ScriptFeed {
 public:
  explicit Script(std::FILE* in);
  ~Script() override;

  std::function<void(const std::string& file)> on_shot;
  std::function<void()> on_dump;
  // The scene rectangle of the active screen's visible, enabled control.
  std::function<std::optional<Rect>(const std::string& name)> find_control;

  // How long wait-until waits at most.
  static constexpr Ms kWaitUntilLimitMs = 120'000;

  void run_due(Ms now) override;
  std::optional<Ms> next_due(Ms now) override;

 private:
  struct Command {
    std::string verb, rest;
    int line = 0;
  };
  bool read_command();  // false at the end of the script
  void run(const Command& c);
  void heard(std::string_view event, std::string_view args);

  // A wait-until in progress: what it waits for, and from when.
  struct Awaited {
    std::string event, text;
    int line = 0;
    Ms since = 0;
    bool seen = false;
    bool matches(std::string_view e, std::string_view args) const {
      return e == event && args.find(text) != std::string_view::npos;
    }
  };
  std::optional<Awaited> awaited_;
  // The trace lines written since the previous command or awaited line.
  std::vector<std::pair<std::string, std::string>> since_last_;

  std::FILE* in_;
  Ms script_time_ = 0;
  std::optional<Command> pending_;
  bool ended_ = false;
  int line_no_ = 0;
};

}  // namespace tapo::platform
