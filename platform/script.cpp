#include "platform/script.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <sstream>

#include "platform/calendar.h"
#include "platform/trace.h"

namespace tapo::platform {
namespace {

std::string trim(const std::string& s) {
  const auto b = s.find_first_not_of(" \t\r\n");
  if (b == std::string::npos) return {};
  return s.substr(b, s.find_last_not_of(" \t\r\n") - b + 1);
}

// A command that cannot be understood ends the run.
[[noreturn]] void script_error(int line, const std::string& what) {
  const std::string msg = "line " + std::to_string(line) + ": " + what;
  trace::event("script-error", msg);
  std::fprintf(stderr, "tapo: script %s\n", msg.c_str());
  throw ProgramExit{2};
}

// A command that finds the game otherwise than it expected is told, and the
// run goes on.
void script_miss(int line, const std::string& what) {
  const std::string msg = "line " + std::to_string(line) + ": " + what;
  trace::event("script-error", msg);
  std::fprintf(stderr, "tapo: script %s\n", msg.c_str());
}

// Points lie within this distance of the scene (any farther is a typing slip).
constexpr int kMostOffScene = 32768;
// The longest wait one line may ask for: a year.
constexpr long long kLongestWaitMs = 366LL * 24 * 3600 * 1000;

bool parse_xy(const std::string& rest, int& x, int& y) {
  std::istringstream in(rest);
  std::string extra;
  auto near = [](int v) { return v >= -kMostOffScene && v <= kMostOffScene; };
  return static_cast<bool>(in >> x >> y) && !(in >> extra) && near(x) && near(y);
}

const char* const kNamedKeys[] = {"Enter", "Backspace", "Escape", "Tab", "F11", "Left", "Right", "Up", "Down"};

}  // namespace

Script::Script(std::FILE* in) : in_(in) {
  trace::set_listener([this](std::string_view event, std::string_view args) { heard(event, args); });
}

Script::~Script() { trace::set_listener(nullptr); }

void Script::heard(std::string_view event, std::string_view args) {
  if (awaited_ && !awaited_->seen && awaited_->matches(event, args)) {
    awaited_->seen = true;
    since_last_.clear();
    // The script goes on from this moment.
    script_time_ = std::max(script_time_, Loop::instance().now());
    return;
  }
  since_last_.emplace_back(event, args);
}

bool Script::read_command() {
  std::string line;
  for (;;) {
    line.clear();
    int ch;
    bool any = false;
    while ((ch = std::fgetc(in_)) != EOF) {
      any = true;
      if (ch == '\n') break;
      line += static_cast<char>(ch);
    }
    // A signal telling the game to end (SIGTERM) interrupts the wait for the
    // next command: the run ends as at the end of the script.
    if (!any || (std::ferror(in_) && errno == EINTR)) return false;
    ++line_no_;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.rfind("type ", 0) == 0) {  // the text is taken as it stands, blanks and all
      pending_ = Command{"type", line.substr(5), line_no_};
      return true;
    }
    if (const auto hash = line.find('#'); hash != std::string::npos) line.erase(hash);
    line = trim(line);
    if (line.empty()) continue;
    const auto space = line.find(' ');
    Command c{line.substr(0, space), space == std::string::npos ? "" : trim(line.substr(space + 1)), line_no_};
    if (c.verb == "wait") {
      char* end = nullptr;
      errno = 0;
      const long long ms = std::strtoll(c.rest.c_str(), &end, 10);
      if (c.rest.empty() || *end != '\0' || errno == ERANGE || ms < 0 || ms > kLongestWaitMs ||
          script_time_ > std::numeric_limits<Ms>::max() / 2)
        script_error(c.line, "bad wait: " + c.rest);
      script_time_ += ms;
      return true;  // the next line is read when the clock gets there
    }
    pending_ = std::move(c);
    return true;
  }
}

std::optional<Ms> Script::next_due(Ms now) {
  if (pending_) return script_time_;
  if (awaited_) {
    if (!awaited_->seen && now < awaited_->since + kWaitUntilLimitMs) return awaited_->since + kWaitUntilLimitMs;
    if (!awaited_->seen) {
      script_miss(awaited_->line, "wait-until " + awaited_->event + " " + awaited_->text + ": not seen in 120 s");
      script_time_ = now;
    }
    awaited_.reset();
  }
  if (ended_) return std::nullopt;
  if (now < script_time_) return script_time_;
  if (!read_command()) {
    ended_ = true;
    return std::nullopt;
  }
  return script_time_;
}

void Script::run_due(Ms now) {
  if (!pending_ || script_time_ > now) return;
  Command c = std::move(*pending_);
  pending_.reset();
  run(c);
}

void Script::run(const Command& c) {
  auto& loop = Loop::instance();
  if (c.verb == "wait-until") {
    const auto space = c.rest.find(' ');
    if (c.rest.empty()) script_error(c.line, "wait-until needs an event");
    Awaited awaited{c.rest.substr(0, space), space == std::string::npos ? "" : trim(c.rest.substr(space + 1)), c.line,
                    loop.now()};
    const auto it = std::find_if(since_last_.begin(), since_last_.end(),
                                 [&](const auto& line) { return awaited.matches(line.first, line.second); });
    if (it != since_last_.end()) {  // already written
      since_last_.erase(since_last_.begin(), it + 1);
      return;
    }
    awaited_ = std::move(awaited);
    script_time_ = std::max(script_time_, loop.now());
    return;
  }
  since_last_.clear();
  InputEvent ev;
  using K = InputEvent::Kind;
  auto mouse = [&](K kind) {
    if (!parse_xy(c.rest, ev.x, ev.y)) script_error(c.line, c.verb + " needs X Y");
    ev.kind = kind;
    loop.deliver(ev);
  };
  if (c.verb == "click") {
    mouse(K::MouseMove);
    mouse(K::MouseDown);
    mouse(K::MouseUp);
  } else if (c.verb == "down") {
    mouse(K::MouseMove);
    mouse(K::MouseDown);
  } else if (c.verb == "up") {
    mouse(K::MouseMove);
    mouse(K::MouseUp);
  } else if (c.verb == "move") {
    mouse(K::MouseMove);
  } else if (c.verb == "key") {
    bool named = false;
    for (const char* k : kNamedKeys) named = named || c.rest == k;
    // A single character, possibly several bytes of UTF-8.
    const bool printable = !c.rest.empty() && !named &&
                           (static_cast<unsigned char>(c.rest[0]) < 0x80
                                ? c.rest.size() == 1
                                : c.rest.size() <= 4 && (static_cast<unsigned char>(c.rest[0]) & 0xC0) == 0xC0);
    if (!named && !printable) script_error(c.line, "unknown key: " + c.rest);
    ev.kind = K::Key;
    ev.key = c.rest;
    loop.deliver(ev);
    if (printable) {  // a character key also types its character
      ev.kind = K::Text;
      ev.text = c.rest;
      loop.deliver(ev);
    }
  } else if (c.verb == "type") {
    ev.kind = K::Text;
    ev.text = c.rest;
    loop.deliver(ev);
  } else if (c.verb == "close") {
    ev.kind = K::Close;
    loop.deliver(ev);
  } else if (c.verb == "shot") {
    if (c.rest.empty()) script_error(c.line, "shot needs a file");
    if (on_shot) on_shot(c.rest);
  } else if (c.verb == "days") {
    char* end = nullptr;
    const long days = std::strtol(c.rest.c_str(), &end, 10);
    if (c.rest.empty() || *end != '\0' || days < 0 || days > 3660) script_error(c.line, "bad days: " + c.rest);
    move_calendar(static_cast<int>(days));
  } else if (c.verb == "dump") {
    if (on_dump) on_dump();
  } else if (c.verb == "click-control") {
    std::istringstream in(c.rest);
    std::string name, extra;
    int index = 0;
    if (!(in >> name)) script_error(c.line, "click-control needs a name");
    if (in >> index) name += "(" + std::to_string(index) + ")";
    if (!in.eof() || in >> extra) script_error(c.line, "click-control NAME [INDEX]: " + c.rest);
    const auto r = find_control ? find_control(name) : std::nullopt;
    if (!r) return script_miss(c.line, "no control " + name + " to click");
    ev.x = r->x + r->w / 2;
    ev.y = r->y + r->h / 2;
    for (K kind : {K::MouseMove, K::MouseDown, K::MouseUp}) {
      ev.kind = kind;
      loop.deliver(ev);
    }
  } else {
    script_error(c.line, "unknown command: " + c.verb);
  }
}

}  // namespace tapo::platform
