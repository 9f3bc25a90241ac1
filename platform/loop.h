// The one event loop of the program, its clock and its timers.
//
// Handlers run on one thread and may pump events themselves: do_events()
// dispatches whatever is pending and returns, and every wait is a loop around
// it.  A wait never spins: between passes it sleeps until the next input,
// timer, wake-up or deadline.  With a virtual clock (scripted play) the
// sleep is a jump of the clock to the next due moment instead.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

union SDL_Event;

namespace tapo::platform {

using Ms = std::int64_t;

struct InputEvent {
  enum class Kind { MouseDown, MouseUp, MouseMove, Key, Text, Close };
  Kind kind = Kind::MouseMove;
  int x = 0, y = 0;   // scene pixels (mouse events)
  std::string key;    // Key: a printable character or "Enter", "Backspace", "Escape", ...
  std::string text;   // Text: UTF-8
};

// Where scripted play takes its commands from (see platform/script.h).
class ScriptFeed {
 public:
  virtual ~ScriptFeed() = default;
  // Carries out every command due at `now`.
  virtual void run_due(Ms now) = 0;
  // The moment of the next command; reads further lines of the script when
  // the clock has reached the time of the last one.  nullopt: the script has
  // ended.
  virtual std::optional<Ms> next_due(Ms now) = 0;
};

// Thrown to end the program from anywhere; main() catches it.
struct ProgramExit {
  explicit ProgramExit(int exit_code) : code(exit_code) { ending() = true; }
  int code = 0;
  // True once the program is on its way out (as opposed to a screen being
  // left), for what must still be done while the stack unwinds.
  static bool& ending() {
    static bool on_the_way_out = false;
    return on_the_way_out;
  }
};

struct TimerSlot;

// A window timer: while enabled, on_timer runs every `interval` ms from the
// loop (never re-entered while it is still running).  Interval 0 never fires.
class Timer {
 public:
  Timer();
  ~Timer();
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  std::function<void()> on_timer;
  void set_interval(Ms ms);
  Ms interval() const;
  void set_enabled(bool on);
  bool enabled() const;

 private:
  std::shared_ptr<TimerSlot> slot_;
};

class Loop {
 public:
  static Loop& instance();

  // Switches to the virtual clock (starting at 0) fed by `feed`.
  void use_virtual_clock(ScriptFeed* feed);
  bool virtual_clock() const { return feed_ != nullptr; }
  Ms now() const;

  // Dispatches posted calls, pending input and due timers, then presents.
  void do_events();
  void wait_until(Ms deadline);
  void wait_ms(Ms ms) { wait_until(now() + ms); }
  // Pumps events until busy() turns false.  busy() may only change through
  // input, timers or a wake source, which end the sleep.
  void wait_while(const std::function<bool()>& busy);

  // Waits without dispatching anything: input stays queued until later.
  void sleep_until(Ms deadline);

  // Runs fn from the loop, after the current handler.
  void post(std::function<void()> fn);
  // Something outside the loop (the sound channel, say) that changes at a
  // known moment: the loop wakes no later than the moment it returns.
  int add_wake_source(std::function<std::optional<Ms>()> next_moment);
  void remove_wake_source(int id);

  // Scripted input arrives here; real input through the SDL translator.
  void deliver(const InputEvent& ev);
  void set_input_handler(std::function<void(const InputEvent&)> handler);
  void set_sdl_translator(std::function<void(const SDL_Event&)> translator);
  // Called at the end of every do_events(); returns the moment it wants to
  // run again (a throttled repaint), if any.
  void set_present_hook(std::function<std::optional<Ms>()> hook);

  // Whether SDL can sleep until an event arrives (a window on a real video
  // driver); otherwise waits sleep in slices.
  void set_sdl_can_block(bool can) { sdl_can_block_ = can; }
  // The display connection's file descriptor when the window has one (X11),
  // else -1: a wait then sleeps on it directly, where SDL's own wait would
  // read the connection several times at every wake-up of a moving scene.
  void set_display_connection(int fd) { display_fd_ = fd; }

  // Runs at the end of every do_events(); the forms use it to end a handler
  // whose screen was unloaded while it waited (it throws).  Kept by
  // reset_for_tests().
  void set_after_events(std::function<void()> check) { after_events_ = std::move(check); }

  // Tests: forget all state (timers stay registered with their owners).
  void reset_for_tests();

 private:
  Loop();
  void idle(std::optional<Ms> deadline);
  void pump_sdl();
  void dispatch_timers();
  std::optional<Ms> next_moment(std::optional<Ms> deadline);

  friend class Timer;
  ScriptFeed* feed_ = nullptr;
  Ms virtual_now_ = 0;
  Ms real_start_ = 0;
  std::vector<std::shared_ptr<TimerSlot>> timers_;
  std::uint64_t timer_seq_ = 0;
  std::vector<std::function<void()>> posted_;
  std::vector<InputEvent> inputs_;
  std::vector<std::pair<int, std::function<std::optional<Ms>()>>> wake_sources_;
  int next_wake_id_ = 1;
  std::function<void(const InputEvent&)> input_handler_;
  std::function<void(const SDL_Event&)> sdl_translator_;
  std::function<std::optional<Ms>()> present_hook_;
  std::function<void()> after_events_;
  std::optional<Ms> present_due_;
  int passes_without_idle_ = 0;
  bool sdl_can_block_ = false;
  int display_fd_ = -1;
};

}  // namespace tapo::platform
