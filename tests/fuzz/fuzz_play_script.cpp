// Scripted play: any script is read command by command to its end, or ends
// the run with a script error, on a clock that only moves forward.
#include <cstdio>
#include <optional>

#include "platform/loop.h"
#include "platform/script.h"
#include "platform/trace.h"
#include "tests/fuzz/fuzz_support.h"

namespace pf = tapo::platform;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;  // fmemopen takes no empty buffer
  std::FILE* f = fmemopen(const_cast<std::uint8_t*>(data), size, "r");
  FUZZ_CHECK(f != nullptr, "the script opens");
  auto& loop = pf::Loop::instance();
  {
    pf::Script script(f);
    script.on_shot = [](const std::string&) {};
    script.on_dump = [] { pf::trace::event("state", "{}"); };
    script.find_control = [](const std::string& name) -> std::optional<pf::Rect> {
      if (name.empty() || name[0] < 'a' || name[0] > 'z') return std::nullopt;
      return pf::Rect{name[0] * 3, static_cast<int>(name.size()), 40, 30};
    };
    loop.use_virtual_clock(&script);
    pf::Ms now = 0;
    try {
      for (int pass = 0; pass < 100000; ++pass) {
        const auto due = script.next_due(now);
        if (!due) break;
        FUZZ_CHECK(*due >= 0, "no moment before the start");
        if (*due > now) now = *due;
        script.run_due(now);
        loop.reset_for_tests();  // the delivered input goes nowhere
        loop.use_virtual_clock(&script);
        pf::trace::event("anim-end", "HD:\\TERC\\STRELBA.DAT");
      }
    } catch (const pf::ProgramExit& exit) {
      FUZZ_CHECK(exit.code == 2, "a script error ends the run with 2");
    }
  }
  loop.reset_for_tests();
  std::fclose(f);
  return 0;
}
