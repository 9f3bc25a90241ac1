#include "platform/trace.h"

#include "platform/loop.h"

namespace tapo::platform::trace {
namespace {
std::FILE* g_out = nullptr;
std::function<void(std::string_view, std::string_view)> g_listener;
}

void set_listener(std::function<void(std::string_view, std::string_view)> listener) {
  g_listener = std::move(listener);
}

void open(std::FILE* out) { g_out = out; }

void close() {
  if (g_out && g_out != stdout && g_out != stderr) std::fclose(g_out);
  g_out = nullptr;
}

bool enabled() { return g_out != nullptr; }

void event(std::string_view name, std::string_view args) {
  if (!g_out) return;
  std::string line = std::to_string(Loop::instance().now()) + ' ';
  line.append(name);
  if (!args.empty()) {
    line += ' ';
    line.append(args);
  }
  line += '\n';
  std::fwrite(line.data(), 1, line.size(), g_out);
  std::fflush(g_out);
  if (g_listener) g_listener(name, args);
}

}  // namespace tapo::platform::trace
