// The game's lettering: the fonts a screen opened are closed when it goes,
// and the next text opens its font again and looks as before.
#include <gtest/gtest.h>

#include "platform/text.h"

namespace {

namespace pf = tapo::platform;

TEST(Fonts, TextAfterTheFontsWereClosedLooksTheSame) {
  const pf::TextStyle example{34, true, pf::rgb(200, 30, 30)};
  const pf::TextStyle caption{13, false, pf::rgb(0, 0, 0), pf::Face::Captions};
  auto lettering = [&] {
    pf::Surface s(220, 80, pf::rgb(255, 255, 255));
    pf::draw_text(s, 4, 2, "7 + 5 = 12", example);
    pf::draw_text(s, 4, 50, "Applause!", caption);
    return s;
  };
  const pf::Surface before = lettering();
  const pf::Rect size = pf::measure_text("7 + 5 = 12", example);
  ASSERT_GT(size.w, 0) << "no font to letter with";
  pf::close_open_fonts();
  EXPECT_EQ(pf::measure_text("7 + 5 = 12", example).w, size.w);
  EXPECT_EQ(lettering().pixels(), before.pixels());
  pf::close_open_fonts();
  pf::close_open_fonts();  // with nothing open
  EXPECT_EQ(lettering().pixels(), before.pixels());
}

}  // namespace
