// The event loop on the virtual clock: waits, timers, posted calls, wake
// sources and the end of a script.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/loop.h"
#include "test_support.h"

namespace {

using tapo::platform::InputEvent;
using tapo::platform::Ms;
using tapo::platform::ProgramExit;
using tapo::platform::Timer;
using tapo::testing::LoopTest;

using Fired = std::vector<std::pair<Ms, char>>;

// ---------------------------------------------------------------- waiting

TEST_F(LoopTest, WaitMovesTheVirtualClockByExactlyTheWait) {
  EXPECT_TRUE(loop().virtual_clock());
  EXPECT_EQ(loop().now(), 0);
  loop().wait_ms(250);
  EXPECT_EQ(loop().now(), 250);
  loop().wait_ms(1);
  EXPECT_EQ(loop().now(), 251);
  loop().wait_until(100);  // already past: returns at once
  EXPECT_EQ(loop().now(), 251);
  loop().wait_ms(0);
  EXPECT_EQ(loop().now(), 251);
  // The script is consulted on every pass.
  EXPECT_GT(feed_.runs, 0);
}

TEST_F(LoopTest, EndedScriptEndsTheProgramWithCodeZero) {
  feed_.next = std::nullopt;
  int code = -1;
  try {
    loop().wait_ms(10);
  } catch (const ProgramExit& e) {
    code = e.code;
  }
  EXPECT_EQ(code, 0);
}

TEST_F(LoopTest, WaitWhileReturnsWhenATimerEndsTheCondition) {
  bool busy = true;
  Timer t;
  t.on_timer = [&] {
    busy = false;
    t.set_enabled(false);
  };
  t.set_interval(40);
  t.set_enabled(true);
  loop().wait_while([&] { return busy; });
  EXPECT_FALSE(busy);
  EXPECT_EQ(loop().now(), 40);
}

TEST_F(LoopTest, WakeSourcesAndThePresentHookBoundTheJumpOfTheClock) {
  std::vector<Ms> passes;
  loop().set_present_hook([&]() -> std::optional<Ms> {
    passes.push_back(loop().now());
    return std::nullopt;
  });
  // Nothing to wait for but the script: one jump.
  loop().wait_ms(500);
  EXPECT_EQ(passes, (std::vector<Ms>{0, 500}));

  // A wake source must be looked at, and nothing may be skipped past it.
  passes.clear();
  const int id = loop().add_wake_source([&]() -> std::optional<Ms> {
    if (loop().now() < 570) return 570;
    return std::nullopt;
  });
  loop().wait_ms(500);
  EXPECT_EQ(passes, (std::vector<Ms>{500, 570, 1000}));

  // Unbounded waits stop at the wake moment too instead of jumping to the
  // script's far moment.
  loop().remove_wake_source(id);
  loop().add_wake_source([&]() -> std::optional<Ms> {
    if (loop().now() < 1200) return 1200;
    return std::nullopt;
  });
  loop().wait_while([&] { return loop().now() < 1200; });
  EXPECT_EQ(loop().now(), 1200);

  // A removed wake source no longer counts.
  loop().reset_for_tests();
  loop().use_virtual_clock(&feed_);
  const int gone = loop().add_wake_source([]() -> std::optional<Ms> { return 30; });
  loop().remove_wake_source(gone);
  passes.clear();
  loop().set_present_hook([&]() -> std::optional<Ms> {
    passes.push_back(loop().now());
    // The repaint throttle: asks to run again once, 40 ms on.
    if (passes.size() == 1) return 40;
    return std::nullopt;
  });
  loop().wait_ms(100);
  EXPECT_EQ(passes, (std::vector<Ms>{0, 40, 100}));
}

TEST_F(LoopTest, BusyPollingHandlerStillLetsTheVirtualClockMove) {
  bool fired = false;
  Timer t;
  t.on_timer = [&] { fired = true; };
  t.set_interval(5);
  t.set_enabled(true);
  // A handler spinning on do_events() without ever waiting: the clock has to
  // move on by itself or this would never end.
  long passes = 0;
  constexpr long kBound = 2'000'000;
  while (!fired && passes < kBound) {
    loop().do_events();
    ++passes;
  }
  EXPECT_TRUE(fired) << "the timer never fired within " << kBound << " passes";
  EXPECT_GE(loop().now(), 5);
}

// ---------------------------------------------------------------- posted calls

TEST_F(LoopTest, PostedCallsRunInOrderOnTheNextPass) {
  std::vector<int> ran;
  loop().post([&] {
    ran.push_back(1);
    // Posted from a posted call: waits for the pass after.
    loop().post([&] { ran.push_back(3); });
  });
  loop().post([&] { ran.push_back(2); });
  EXPECT_TRUE(ran.empty());
  loop().do_events();
  EXPECT_EQ(ran, (std::vector<int>{1, 2}));
  loop().do_events();
  EXPECT_EQ(ran, (std::vector<int>{1, 2, 3}));
  loop().do_events();
  EXPECT_EQ(ran.size(), 3u);
  EXPECT_EQ(loop().now(), 0);
}

TEST_F(LoopTest, PendingWorkIsDoneBeforeTheClockJumps) {
  // Posted calls and input delivered in a handler must not wait for the next
  // timer or the script.
  std::vector<Ms> seen;
  loop().set_input_handler([&](const InputEvent& ev) {
    seen.push_back(loop().now());
    if (ev.kind == InputEvent::Kind::MouseDown) loop().post([&] { seen.push_back(-loop().now()); });
  });
  Timer t;
  t.on_timer = [&] {
    InputEvent ev;
    ev.kind = InputEvent::Kind::MouseDown;
    loop().deliver(ev);
  };
  t.set_interval(100);
  t.set_enabled(true);
  loop().wait_ms(150);
  // The timer at 100 delivers; the input and the call it posts run at 100.
  EXPECT_EQ(seen, (std::vector<Ms>{100, -100}));
}

// ---------------------------------------------------------------- timers

TEST_F(LoopTest, TimersFireAtTheirIntervalsInOrder) {
  Fired fired;
  Timer a, b;
  a.on_timer = [&] { fired.emplace_back(loop().now(), 'a'); };
  b.on_timer = [&] { fired.emplace_back(loop().now(), 'b'); };
  a.set_interval(30);
  b.set_interval(50);
  a.set_enabled(true);
  b.set_enabled(true);
  loop().wait_ms(200);
  const Fired expected = {{30, 'a'},  {50, 'b'},  {60, 'a'},  {90, 'a'},  {100, 'b'},
                          {120, 'a'}, {150, 'a'}, {150, 'b'}, {180, 'a'}, {200, 'b'}};
  EXPECT_EQ(fired, expected);
  EXPECT_EQ(loop().now(), 200);
}

TEST_F(LoopTest, TimerThatDisablesItselfOnEntryFiresOnce) {
  int count = 0;
  Timer t;
  t.on_timer = [&] {
    t.set_enabled(false);
    ++count;
  };
  t.set_interval(10);
  t.set_enabled(true);
  loop().wait_ms(500);
  EXPECT_EQ(count, 1);
  EXPECT_FALSE(t.enabled());
}

TEST_F(LoopTest, IntervalZeroNeverFiresAndDoesNotStallTheClock) {
  int count = 0;
  Timer t;
  t.on_timer = [&] { ++count; };
  t.set_enabled(true);
  t.set_interval(0);
  loop().wait_ms(1000);
  EXPECT_EQ(count, 0);
  EXPECT_EQ(loop().now(), 1000);
  // A negative interval counts as 0.
  t.set_interval(-5);
  EXPECT_EQ(t.interval(), 0);
  loop().wait_ms(100);
  EXPECT_EQ(count, 0);
  // A disabled timer with an interval does not fire either.
  t.set_interval(10);
  t.set_enabled(false);
  loop().wait_ms(100);
  EXPECT_EQ(count, 0);
}

TEST_F(LoopTest, EnablingRestartsTheCountdown) {
  std::vector<Ms> fired;
  Timer t;
  t.on_timer = [&] { fired.push_back(loop().now()); };
  t.set_interval(50);
  t.set_enabled(true);
  loop().wait_ms(30);
  t.set_enabled(false);
  loop().wait_ms(10);
  t.set_enabled(true);  // at 40: next at 90, not at 50
  loop().wait_ms(100);
  EXPECT_EQ(fired, (std::vector<Ms>{90, 140}));

  // Setting the interval restarts the countdown as well.
  fired.clear();
  loop().wait_ms(20);  // 160
  t.set_interval(50);
  loop().wait_ms(60);
  EXPECT_EQ(fired, (std::vector<Ms>{210}));
}

TEST_F(LoopTest, TimerIsNotReenteredWhileItsHandlerPumps) {
  std::vector<Ms> entries;
  int depth = 0, max_depth = 0;
  Timer t;
  t.on_timer = [&] {
    ++depth;
    max_depth = std::max(max_depth, depth);
    entries.push_back(loop().now());
    if (entries.size() == 1) loop().wait_ms(35);  // over three intervals
    --depth;
  };
  t.set_interval(10);
  t.set_enabled(true);
  loop().wait_ms(70);
  EXPECT_EQ(max_depth, 1);
  ASSERT_GE(entries.size(), 3u);
  EXPECT_EQ(entries[0], 10);
  // Not lost either: it fires again soon after the first run returned.
  EXPECT_GE(entries[1], 45);
  EXPECT_LE(entries[1], 55);
  EXPECT_EQ(entries[2], entries[1] + 10);
}

TEST_F(LoopTest, OtherTimersKeepFiringWhileAHandlerPumps) {
  Fired fired;
  Timer slow, fast;
  slow.on_timer = [&] {
    slow.set_enabled(false);
    fired.emplace_back(loop().now(), 's');
    loop().wait_ms(100);
    fired.emplace_back(loop().now(), 'S');
  };
  fast.on_timer = [&] { fired.emplace_back(loop().now(), 'f'); };
  slow.set_interval(10);
  fast.set_interval(40);
  slow.set_enabled(true);
  fast.set_enabled(true);
  loop().wait_ms(120);
  const Fired expected = {{10, 's'}, {40, 'f'}, {80, 'f'}, {110, 'S'}, {120, 'f'}};
  EXPECT_EQ(fired, expected);
}

TEST_F(LoopTest, TimerDestroyedInsideItsOwnHandlerIsSafe) {
  int count = 0;
  bool after = false;
  auto t = std::make_unique<Timer>();
  t->on_timer = [&] {
    ++count;
    t.reset();  // the owner goes away while its handler runs
    after = true;
  };
  t->set_interval(10);
  t->set_enabled(true);
  loop().wait_ms(100);
  EXPECT_EQ(count, 1);
  EXPECT_TRUE(after);
  EXPECT_EQ(t, nullptr);
}

TEST_F(LoopTest, TimerDestroyedByAnEarlierHandlerOfTheSamePassDoesNotFire) {
  // Both due at 20; timers due at the same moment run in the order they were
  // made, so the killer runs first and the victim is gone by its turn.
  int victim_count = 0;
  Timer killer;
  auto victim = std::make_unique<Timer>();
  killer.on_timer = [&] {
    victim.reset();
    killer.set_enabled(false);
  };
  victim->on_timer = [&] { ++victim_count; };
  killer.set_interval(20);
  victim->set_interval(20);
  killer.set_enabled(true);
  victim->set_enabled(true);
  loop().wait_ms(100);
  EXPECT_EQ(victim, nullptr);
  EXPECT_EQ(victim_count, 0);
}

TEST_F(LoopTest, TimerHandlerReplacedInsideItselfFinishesTheRunningOne) {
  std::vector<std::string> calls;
  Timer t;
  t.on_timer = [&] {
    t.on_timer = [&] { calls.push_back("second"); };
    calls.push_back("first");  // still inside the replaced handler
  };
  t.set_interval(10);
  t.set_enabled(true);
  loop().wait_ms(25);
  EXPECT_EQ(calls, (std::vector<std::string>{"first", "second"}));
}

}  // namespace
