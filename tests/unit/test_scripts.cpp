// Reading the game's text files: animation scripts and list input; the random
// numbers; drawing with a key colour; pictures from damaged files; the
// scripted play's waits.
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <set>

#include "core/animation.h"
#include "core/keying.h"
#include "core/listinput.h"
#include "core/random.h"
#include "platform/script.h"
#include "tests/unit/test_support.h"

using namespace tapo::core;
using tapo::platform::rgb;
using tapo::platform::Surface;

TEST(AnimationScript, HeaderAndStepsAsWritten) {
  std::vector<std::string> problems;
  auto s = parse_animation_script("\"\\TERC\\STRELBA\"\r\n120\r\n40\r\n200\r\n150\r\n7\r\n0x80\r\n12x 40\r\n3X0\r\n", false,
                                  &problems);
  ASSERT_TRUE(s);
  EXPECT_EQ(s->clip, "\\TERC\\STRELBA");
  EXPECT_EQ(s->left, 120);
  EXPECT_EQ(s->top, 40);
  EXPECT_EQ(s->width, 200);
  EXPECT_EQ(s->height, 150);
  EXPECT_EQ(s->final_frame, 7);
  ASSERT_EQ(s->steps.size(), 3u);
  EXPECT_EQ(s->steps[1].frame, 12);
  EXPECT_EQ(s->steps[1].hold_ms, 40);
  EXPECT_EQ(s->steps[2].frame, 3);
  EXPECT_EQ(s->steps[2].hold_ms, 0);
  EXPECT_TRUE(problems.empty());

  // Comma-separated header, unquoted clip.
  s = parse_animation_script("\\OBCHOD\\PIRAT,10,20,30,40,0\n5x100", false);
  ASSERT_TRUE(s);
  EXPECT_EQ(s->clip, "\\OBCHOD\\PIRAT");
  EXPECT_EQ(s->height, 40);
  ASSERT_EQ(s->steps.size(), 1u);
  EXPECT_EQ(s->steps[0].hold_ms, 100);
}

TEST(AnimationScript, ClipAsWholeLineKeepsCommasAndQuotes) {
  auto s = parse_animation_script("\\DRAK\\LET,A\n1\n2\n3\n4\n0\n", true);
  ASSERT_TRUE(s);
  EXPECT_EQ(s->clip, "\\DRAK\\LET,A");
  EXPECT_EQ(s->top, 2);
  EXPECT_TRUE(s->steps.empty());
}

TEST(AnimationScript, MalformedScriptsPlayWhatTheyCan) {
  std::vector<std::string> problems;
  EXPECT_FALSE(parse_animation_script("", false, &problems));
  EXPECT_FALSE(parse_animation_script("\\A\\B\n1\n2\n", false, &problems));

  problems.clear();
  auto s = parse_animation_script("\\A\\B\n1\n2\n3\n4\n0\n1x10\nbanana\n\n2x20\n\n\n", false, &problems);
  ASSERT_TRUE(s);
  ASSERT_EQ(s->steps.size(), 2u) << "the bad line and the blank one are skipped, trailing blanks are no steps";
  EXPECT_EQ(s->steps[1].frame, 2);
  EXPECT_EQ(problems.size(), 2u);

  std::string big = "\\A\\B\n0\n0\n10\n10\n0\n";
  for (int i = 0; i < 150; ++i) big += std::to_string(i % 256) + "x" + std::to_string(i) + "\n";
  problems.clear();
  s = parse_animation_script(big, false, &problems);
  ASSERT_TRUE(s);
  EXPECT_EQ(s->steps.size(), kMaxAnimationSteps);
  EXPECT_EQ(s->steps.back().hold_ms, 99);
  EXPECT_EQ(problems.size(), 1u);

  const std::string endless(400, '9');  // reads as infinity
  s = parse_animation_script("\\A\\B\n0\n0\n10\n10\n-" + endless + "\n999x99999\n-4x-3\n" + endless + "x-" + endless + "\n",
                             false);
  ASSERT_TRUE(s);
  EXPECT_LE(s->final_frame, 0);
  EXPECT_EQ(s->steps[0].frame, 255);
  EXPECT_EQ(s->steps[0].hold_ms, 32767);
  EXPECT_EQ(s->steps[1].frame, 0);
  EXPECT_EQ(s->steps[1].hold_ms, 0);
  EXPECT_EQ(s->steps[2].frame, 255);
  EXPECT_EQ(s->steps[2].hold_ms, 0);

  // A box larger than the scene, or far off it, makes the script damaged.
  for (const char* box : {"0\n0\n40000\n40000", "0\n0\n641\n10", "40000\n0\n10\n10"}) {
    problems.clear();
    EXPECT_FALSE(parse_animation_script("\\A\\B\n" + std::string(box) + "\n0\n1x10\n", false, &problems)) << box;
    EXPECT_EQ(problems.size(), 1u) << box;
  }
  EXPECT_FALSE(parse_animation_script("\\A\\B\n" + endless + "\n0\n10\n10\n0\n", false));
}

// Positions near the ends of int's range (a damaged position file) draw
// nothing and touch no memory outside the pictures; a block partly off the
// corner still draws its part.
TEST(Pictures, BlitsFarOffThePictureDrawNothing) {
  Surface dst(8, 8, 1);
  const Surface src(4, 4, 2);
  for (int at : {INT_MAX, INT_MAX - 2, INT_MIN, INT_MIN + 2}) {
    dst.blit(src, at, 0);
    dst.blit(src, 0, at);
    dst.blit(src, at, at, 4, 4, 0, 0);
    dst.blit(src, at, at, INT_MAX, INT_MAX, 4, 4);
    dst.blit(src, -2, -2, INT_MAX, INT_MAX, at, 0);
    dst.blit(src, 0, 0, INT_MAX, INT_MAX, at, at);
  }
  EXPECT_EQ(dst.pixels(), std::vector<tapo::platform::Rgb>(64, 1));
  dst.blit(src, -2, -2);
  EXPECT_EQ(dst.at(1, 1), 2u);
  EXPECT_EQ(dst.at(2, 1), 1u);
  EXPECT_EQ(dst.at(1, 2), 1u);
}

// A bitmap header is checked against the file before its pixels get memory.
TEST(Pictures, BitmapsClaimingMoreThanTheirFileHoldsAreRefused) {
  tapo::testing::TempDir dir;
  Surface picture(3, 2, rgb(1, 2, 3));
  ASSERT_TRUE(picture.save_bmp(dir / "OK.BMP"));
  auto back = Surface::load_bmp(dir / "OK.BMP");
  ASSERT_TRUE(back);
  EXPECT_EQ(back->pixels(), picture.pixels());

  std::string bytes;
  {
    std::ifstream in(dir / "OK.BMP", std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), {});
  }
  auto write = [&](const std::string& b) { std::ofstream(dir / "BAD.BMP", std::ios::binary) << b; };
  write(bytes.substr(0, bytes.size() - 4));  // the last row short by a pixel
  EXPECT_FALSE(Surface::load_bmp(dir / "BAD.BMP"));
  std::string huge = bytes;
  huge.replace(18, 8, std::string("\x30\x75\0\0\x30\x75\0\0", 8));  // 30000 x 30000
  write(huge);
  EXPECT_FALSE(Surface::load_bmp(dir / "BAD.BMP"));
}

// A wait beyond what the script clock can count ends the run as a bad line.
TEST(ScriptedPlay, WaitsBeyondTheClockAreBadLines) {
  for (const char* line : {"wait 99999999999999999999\n", "wait 9223372036854775807\n"}) {
    std::FILE* in = std::tmpfile();
    ASSERT_NE(in, nullptr);
    std::fputs(line, in);
    std::rewind(in);
    tapo::platform::Script script(in);
    EXPECT_THROW(script.next_due(0), tapo::platform::ProgramExit) << line;
    std::fclose(in);
  }
}

TEST(ListInput, ItemsAndNumbers) {
  EXPECT_EQ(list_items("1, 2,3\r\n\"a, b\" , 4\n\n5"), (std::vector<std::string>{"1", "2", "3", "a, b", "4", "5"}));
  EXPECT_EQ(list_items("  \"x\"\n"), (std::vector<std::string>{"x"}));
  EXPECT_EQ(list_items("1,,2"), (std::vector<std::string>{"1", "", "2"}));
  EXPECT_EQ(list_items("\"unterminated"), (std::vector<std::string>{"unterminated"}));
  EXPECT_EQ(val(" 12x80"), 12);
  EXPECT_EQ(val("-7.5e3"), -7.5);
  EXPECT_EQ(val("x12"), 0);
  EXPECT_EQ(text_lines("a\r\nb\n\nc"), (std::vector<std::string>{"a", "b", "", "c"}));
}

TEST(RandomNumbers, DrawsStayInRangeAndReseedingAtOneMomentStillMoves) {
  Random r(12345);
  std::set<int> seen;
  for (int i = 0; i < 2000; ++i) {
    const double x = r.next();
    ASSERT_GE(x, 0.0);
    ASSERT_LT(x, 1.0);
    const int n = r.between(3, 7);
    ASSERT_GE(n, 3);
    ASSERT_LE(n, 7);
    seen.insert(n);
  }
  EXPECT_EQ(seen.size(), 5u) << "every value of a small range comes up";

  // Seeding again and again from a clock that does not move must not repeat
  // the same draw for ever.
  Random a(1);
  std::set<int> draws;
  for (int i = 0; i < 50; ++i) {
    a.stir(1000);
    draws.insert(a.between(1, 100));
  }
  EXPECT_GT(draws.size(), 20u);

  // The same seeds in the same order give the same numbers.
  Random b(1), c(1);
  b.stir(42);
  c.stir(42);
  EXPECT_EQ(b.next(), c.next());
}

TEST(KeyColour, KeyPixelsLetTheBackgroundThroughEvenInsideTheFigure) {
  const auto magenta = rgb(255, 0, 255), red = rgb(255, 0, 0), blue = rgb(0, 0, 255), green = rgb(0, 200, 0);
  Surface sprite(4, 3, magenta);
  sprite.set(1, 1, red);
  sprite.set(2, 1, red);
  sprite.set(1, 2, red);
  sprite.set(2, 2, magenta);  // a "hole" inside the figure
  Surface background(4, 3, blue);
  Surface out(4, 3, green);
  ASSERT_TRUE(compose_transparent(sprite, 4, 3, key_colour(sprite), background, out));
  EXPECT_EQ(out.at(0, 0), blue);
  EXPECT_EQ(out.at(1, 1), red);
  EXPECT_EQ(out.at(2, 2), blue);

  Mask mask;
  ASSERT_TRUE(make_mask(sprite, 4, 3, mask, magenta));
  EXPECT_TRUE(mask[0]);
  EXPECT_FALSE(mask[1 * 4 + 1]);
  EXPECT_FALSE(make_mask(sprite, 5, 3, mask, magenta)) << "an area larger than the source fails";

  // Onto a target at an offset, clipped at its edge.
  Surface target(5, 5, green);
  ASSERT_TRUE(blit_transparent(target, 2, 3, 4, 3, sprite, 0, 0, magenta));
  EXPECT_EQ(target.at(3, 4), red);
  EXPECT_EQ(target.at(2, 3), green);
  EXPECT_EQ(target.at(4, 4), red);
  Surface target2(5, 5, green);
  blit_keyed(target2, sprite, 0, 0, 4, 3, 2, 3, magenta);
  EXPECT_EQ(target2.pixels(), target.pixels()) << "both ways of keyed drawing agree";
}
