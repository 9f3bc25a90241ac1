#include "tests/scenario/shots.h"

#include <gtest/gtest.h>

#include "games/common/judgement.h"
#include "platform/surface.h"
#include "tests/scenario/play.h"

namespace tapo::test {

namespace pf = tapo::platform;

namespace {

int pixels_changed(const pf::Surface& before, const pf::Surface& after, pf::Rect place) {
  int n = 0;
  for (int y = place.y; y < place.y + place.h; ++y)
    for (int x = place.x; x < place.x + place.w; ++x)
      if (x >= 0 && y >= 0 && x < before.width() && y < before.height() && x < after.width() && y < after.height())
        n += before.at(x, y) != after.at(x, y);
  return n;
}

// The rectangle [x, y, w, h] of `key` in a dump.
pf::Rect rect_after(const std::string& state, const std::string& key) {
  const std::vector<int> n = numbers_after(state, key);
  return n.size() >= 4 ? pf::Rect{n[0], n[1], n[2], n[3]} : pf::Rect{};
}

}  // namespace

void expect_sign_seen(const std::string& state, const std::string& verdict, const std::string& where,
                      const std::filesystem::path& without, const std::filesystem::path& with) {
  EXPECT_NE(state.find("\"judged\": {\"verdict\": \"" + verdict + "\", \"where\": \"" + where + "\""), std::string::npos)
      << state;
  const auto a = pf::Surface::load_bmp(without), b = pf::Surface::load_bmp(with);
  ASSERT_TRUE(a && b) << without << " " << with;
  const pf::Rect sign = games::sign_rect(rect_after(state, "at"));
  EXPECT_GT(pixels_changed(*a, *b, sign), sign.w * sign.h / 3) << "the sign of " << where << " is not seen";
}

}  // namespace tapo::test
