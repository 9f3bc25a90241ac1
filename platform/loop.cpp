#include "platform/loop.h"

#include <SDL.h>
#include <poll.h>

#include <algorithm>
#include <chrono>
#include <limits>
#include <thread>

namespace tapo::platform {

struct TimerSlot {
  std::function<void()>* handler = nullptr;  // the owner's on_timer; null once the owner is gone
  Ms interval = 0;
  bool enabled = false;
  Ms due = 0;
  bool running = false;
  std::uint64_t seq = 0;

  bool armed() const { return handler && enabled && interval > 0 && !running; }
};

namespace {

Ms steady_ms() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// A handler that pumps events this many times in a row without ever waiting
// is a busy poll; the loop then waits for it so that it cannot hang the
// virtual clock or burn a core.
constexpr int kBusyPollLimit = 10000;

}  // namespace

// ---- Timer -----------------------------------------------------------------

Timer::Timer() : slot_(std::make_shared<TimerSlot>()) {
  slot_->handler = &on_timer;
  auto& loop = Loop::instance();
  slot_->seq = ++loop.timer_seq_;
  loop.timers_.push_back(slot_);
}

Timer::~Timer() {
  slot_->handler = nullptr;
  slot_->enabled = false;
  auto& timers = Loop::instance().timers_;
  std::erase(timers, slot_);
}

void Timer::set_interval(Ms ms) {
  slot_->interval = std::max<Ms>(0, ms);
  slot_->due = Loop::instance().now() + slot_->interval;
}

Ms Timer::interval() const { return slot_->interval; }

void Timer::set_enabled(bool on) {
  if (on && !slot_->enabled) slot_->due = Loop::instance().now() + slot_->interval;
  slot_->enabled = on;
}

bool Timer::enabled() const { return slot_->enabled; }

// ---- Loop ------------------------------------------------------------------

Loop& Loop::instance() {
  static Loop loop;
  return loop;
}

Loop::Loop() : real_start_(steady_ms()) {}

void Loop::use_virtual_clock(ScriptFeed* feed) {
  feed_ = feed;
  virtual_now_ = 0;
}

Ms Loop::now() const { return feed_ ? virtual_now_ : steady_ms() - real_start_; }

void Loop::post(std::function<void()> fn) { posted_.push_back(std::move(fn)); }

int Loop::add_wake_source(std::function<std::optional<Ms>()> next_moment) {
  int id = next_wake_id_++;
  wake_sources_.emplace_back(id, std::move(next_moment));
  return id;
}

void Loop::remove_wake_source(int id) {
  std::erase_if(wake_sources_, [id](const auto& w) { return w.first == id; });
}

void Loop::deliver(const InputEvent& ev) { inputs_.push_back(ev); }

void Loop::set_input_handler(std::function<void(const InputEvent&)> handler) {
  input_handler_ = std::move(handler);
}

void Loop::set_sdl_translator(std::function<void(const SDL_Event&)> translator) {
  sdl_translator_ = std::move(translator);
}

void Loop::set_present_hook(std::function<std::optional<Ms>()> hook) {
  present_hook_ = std::move(hook);
}

void Loop::reset_for_tests() {
  ProgramExit::ending() = false;
  feed_ = nullptr;
  virtual_now_ = 0;
  posted_.clear();
  inputs_.clear();
  wake_sources_.clear();
  input_handler_ = nullptr;
  sdl_translator_ = nullptr;
  present_hook_ = nullptr;
  present_due_.reset();
  passes_without_idle_ = 0;
}

void Loop::pump_sdl() {
  if (!SDL_WasInit(SDL_INIT_EVENTS)) return;
  SDL_PumpEvents();
  SDL_Event ev;
  while (SDL_PeepEvents(&ev, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0) {
    if (sdl_translator_) sdl_translator_(ev);
  }
}

void Loop::dispatch_timers() {
  const Ms t = now();
  std::vector<std::shared_ptr<TimerSlot>> due;
  for (const auto& s : timers_)
    if (s->armed() && s->due <= t) due.push_back(s);
  std::sort(due.begin(), due.end(), [](const auto& a, const auto& b) {
    return a->due != b->due ? a->due < b->due : a->seq < b->seq;
  });
  for (const auto& s : due) {
    if (!s->armed() || s->due > t) continue;  // changed by an earlier handler
    s->due = t + s->interval;
    auto handler = *s->handler;  // a copy: the owner may die inside
    if (!handler) continue;
    s->running = true;
    struct Reset {
      TimerSlot& slot;
      ~Reset() { slot.running = false; }
    } reset{*s};
    handler();
  }
}

void Loop::do_events() {
  if (++passes_without_idle_ > kBusyPollLimit) idle(now() + 1);

  auto posted = std::move(posted_);
  posted_.clear();
  for (auto& fn : posted) fn();

  if (feed_)
    feed_->run_due(now());
  else
    pump_sdl();
  auto inputs = std::move(inputs_);
  inputs_.clear();
  for (const auto& ev : inputs)
    if (input_handler_) input_handler_(ev);

  dispatch_timers();

  if (present_hook_) present_due_ = present_hook_();
  if (after_events_) after_events_();
}

std::optional<Ms> Loop::next_moment(std::optional<Ms> deadline) {
  std::optional<Ms> next = deadline;
  auto consider = [&next](Ms t) {
    if (!next || t < *next) next = t;
  };
  for (const auto& s : timers_)
    if (s->armed()) consider(s->due);
  for (const auto& w : wake_sources_)
    if (auto t = w.second()) consider(*t);
  if (present_due_) consider(*present_due_);
  return next;
}

void Loop::idle(std::optional<Ms> deadline) {
  passes_without_idle_ = 0;
  if (!posted_.empty() || !inputs_.empty()) return;
  std::optional<Ms> next = next_moment(deadline);

  if (feed_) {
    const Ms t = now();
    auto script = feed_->next_due(t);
    if (!script) throw ProgramExit{0};  // the script has ended: so does the run
    if (!next || *script < *next) next = script;
    virtual_now_ = std::max(t, *next);
    return;
  }

  const Ms t = now();
  if (next && *next <= t) return;
  if (sdl_can_block_) {
    if (display_fd_ >= 0) {
      // What the connection has read already (with a reply) is not on it
      // any more: taken in first.
      SDL_PumpEvents();
      if (SDL_HasEvents(SDL_FIRSTEVENT, SDL_LASTEVENT)) return;
      pollfd connection{display_fd_, POLLIN, 0};
      ::poll(&connection, 1, next ? static_cast<int>(std::min<Ms>(*next - t, 1 << 30)) : -1);
    } else if (next) {
      Ms wait = std::min<Ms>(*next - t, std::numeric_limits<int>::max());
      SDL_WaitEventTimeout(nullptr, static_cast<int>(wait));
    } else {
      SDL_WaitEvent(nullptr);
    }
  } else {
    // Without a window SDL would poll every millisecond while it waits; a
    // plain sleep is cheaper.  A window-less run has no input to wait for but
    // the end of the program, which the next pass picks up.
    std::this_thread::sleep_for(std::chrono::milliseconds(next ? std::min<Ms>(*next - t, 50) : 50));
  }
}

void Loop::wait_until(Ms deadline) {
  for (;;) {
    do_events();
    if (now() >= deadline) return;
    idle(deadline);
  }
}

void Loop::sleep_until(Ms deadline) {
  const Ms t = now();
  if (deadline <= t) return;
  if (feed_)
    virtual_now_ = deadline;
  else
    std::this_thread::sleep_for(std::chrono::milliseconds(deadline - t));
}

void Loop::wait_while(const std::function<bool()>& busy) {
  for (;;) {
    do_events();
    if (!busy()) return;
    idle(std::nullopt);
  }
}

}  // namespace tapo::platform
