#include "grownups/gate.h"

#include <array>

#include "core/random.h"
#include "platform/i18n.h"

namespace tapo::grownups {

namespace pf = tapo::platform;

namespace {

constexpr std::array<const char*, 10> kUnits = {
    "",     pf::tr_later("one"), pf::tr_later("two"),   pf::tr_later("three"), pf::tr_later("four"),
    pf::tr_later("five"), pf::tr_later("six"), pf::tr_later("seven"), pf::tr_later("eight"), pf::tr_later("nine")};
constexpr std::array<const char*, 10> kTens = {
    "", "", pf::tr_later("twenty"), pf::tr_later("thirty"), pf::tr_later("forty"), pf::tr_later("fifty"),
    pf::tr_later("sixty"), pf::tr_later("seventy"), pf::tr_later("eighty"), pf::tr_later("ninety")};

}  // namespace

std::string number_in_words(int n) {
  if (n < 21 || n > 99) return std::to_string(n);
  const char* tens = kTens[static_cast<size_t>(n / 10)];
  if (n % 10 == 0) return pf::tr(tens);
  // TRANSLATORS: a number in words, tens (%1) and units (%2): "forty-seven".
  return pf::fill(pf::tr("%1-%2"), {pf::tr(tens), pf::tr(kUnits[static_cast<size_t>(n % 10)])});
}

Gate draw_gate() {
  int n = 0;
  while (n % 10 == 0) n = core::rnd_between(21, 99);
  return {n, number_in_words(n)};
}

bool opens(const Gate& gate, const std::string& typed) {
  const auto b = typed.find_first_not_of(' '), e = typed.find_last_not_of(' ');
  return b != std::string::npos && typed.substr(b, e - b + 1) == std::to_string(gate.number);
}

}  // namespace tapo::grownups
