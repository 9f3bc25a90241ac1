// The event trace of a run: one line per event, "<ms> <event> <args>",
// flushed per line so that a driver at the other end of a pipe can follow it.
#pragma once

#include <cstdio>
#include <functional>
#include <string>
#include <string_view>

namespace tapo::platform::trace {

// Starts writing the trace to `out` (not owned; stdout or an opened file).
void open(std::FILE* out);
void close();
bool enabled();

// Writes "<now> <event>" followed by " <args>" when args is not empty.
void event(std::string_view name, std::string_view args = {});

// Hears every event written (scripted play waits for events through it).
void set_listener(std::function<void(std::string_view name, std::string_view args)> listener);

}  // namespace tapo::platform::trace
