// The forms toolkit: loading, showing and activation, mouse routing to
// labels and forms, unloading from inside a handler, modal forms and the
// pointer's display counter.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/loop.h"
#include "platform/trace.h"
#include "platform/ui.h"
#include "test_support.h"

namespace {

namespace pf = tapo::platform;
using pf::Form;
using pf::InputEvent;
using pf::Label;
using pf::Ms;
using pf::Timer;
using tapo::testing::LoopTest;

int g_constructed = 0;

// A screen that counts and records what happens to it.
class TestForm : public Form {
 public:
  explicit TestForm(std::string name) : Form(std::move(name)) { ++g_constructed; }

  void on_load() override {
    ++loads;
    auto& a = add<Label>("a", pf::Rect{100, 50, 40, 30});
    a.on_click = [this] { log.push_back("click a"); };
    a.on_mouse_down = [this](int x, int y) { log.push_back("down a " + xy(x, y)); };
    a.on_mouse_up = [this](int x, int y) { log.push_back("up a " + xy(x, y)); };
    a.on_mouse_move = [this](int x, int y) { log.push_back("move a " + xy(x, y)); };
    auto& b = add<Label>("b", pf::Rect{300, 50, 40, 30});
    b.on_click = [this] { log.push_back("click b"); };
  }
  void on_activate() override { ++activations; }
  void on_click() override { log.push_back("form click"); }
  void on_mouse_down(int x, int y) override { log.push_back("form down " + xy(x, y)); }
  void on_mouse_up(int x, int y) override { log.push_back("form up " + xy(x, y)); }
  void on_mouse_move(int x, int y) override { log.push_back("form move " + xy(x, y)); }
  void on_key(const std::string& key) override { log.push_back("key " + key); }
  void on_text(const std::string& text) override { log.push_back("text " + text); }
  void on_unload() override { ++unloads; }

  static std::string xy(int x, int y) { return std::to_string(x) + "," + std::to_string(y); }

  int loads = 0, activations = 0, unloads = 0;
  std::vector<std::string> log;
};

template <const char* Name>
std::shared_ptr<Form> make_test_form() {
  return std::make_shared<TestForm>(Name);
}

constexpr char kA[] = "test_a";
constexpr char kB[] = "test_b";
constexpr char kC[] = "test_c";

class FormsTest : public LoopTest {
 protected:
  void SetUp() override {
    LoopTest::SetUp();
    pf::Forms::register_factory(kA, make_test_form<kA>);
    pf::Forms::register_factory(kB, make_test_form<kB>);
    pf::Forms::register_factory(kC, make_test_form<kC>);
    g_constructed = 0;
    loop().set_input_handler([](const InputEvent& e) { pf::Forms::instance().dispatch(e); });
  }

  static std::shared_ptr<TestForm> get(const char* name) {
    return std::dynamic_pointer_cast<TestForm>(forms().get(name));
  }

  static void send(InputEvent::Kind kind, int x = 0, int y = 0, std::string key = {}) {
    InputEvent ev;
    ev.kind = kind;
    ev.x = x;
    ev.y = y;
    ev.key = key;
    ev.text = key;
    loop().deliver(ev);
    loop().do_events();
  }
  static void down(int x, int y) { send(InputEvent::Kind::MouseDown, x, y); }
  static void up(int x, int y) { send(InputEvent::Kind::MouseUp, x, y); }
  static void move(int x, int y) { send(InputEvent::Kind::MouseMove, x, y); }
  static void click(int x, int y) {
    down(x, y);
    up(x, y);
  }
};

// ---------------------------------------------------------------- loading

TEST_F(FormsTest, GetLoadsOnceAndUnloadForgetsTheForm) {
  EXPECT_TRUE(forms().known(kA));
  EXPECT_FALSE(forms().known("test_nobody"));
  EXPECT_THROW(forms().get("test_nobody"), std::out_of_range);
  EXPECT_EQ(forms().find(kA), nullptr);

  auto a = get(kA);
  ASSERT_NE(a, nullptr);
  EXPECT_TRUE(a->loaded());
  EXPECT_FALSE(a->visible());  // loading does not show
  EXPECT_EQ(forms().get(kA), a);
  EXPECT_EQ(forms().find(kA), a);
  EXPECT_EQ(a->loads, 1);
  EXPECT_EQ(g_constructed, 1);
  ASSERT_NE(a->control("a"), nullptr);
  EXPECT_EQ(a->control("zz"), nullptr);

  a->show();
  a->unload();
  EXPECT_EQ(a->unloads, 1);
  EXPECT_FALSE(a->loaded());
  EXPECT_FALSE(a->visible());
  EXPECT_EQ(forms().find(kA), nullptr);
  EXPECT_EQ(forms().active(), nullptr);
  a->unload();  // a second unload is a no-op
  EXPECT_EQ(a->unloads, 1);
  a->show();  // an unloaded form cannot be shown
  EXPECT_FALSE(a->visible());
  EXPECT_EQ(forms().active(), nullptr);

  // The next get makes a fresh form and loads it again.
  auto again = get(kA);
  EXPECT_NE(again, a);
  EXPECT_EQ(again->loads, 1);
  EXPECT_EQ(g_constructed, 2);
}

// ---------------------------------------------------------------- showing

TEST_F(FormsTest, ShowTracesOnceAndHideTracesOnlyAShownForm) {
  std::FILE* out = std::tmpfile();
  ASSERT_NE(out, nullptr);
  pf::trace::open(out);
  auto a = get(kA);
  a->hide();  // not shown: nothing to report
  loop().wait_ms(5);
  a->show();
  a->show();
  loop().wait_ms(5);
  a->hide();
  a->hide();
  a->unload();
  std::fflush(out);
  std::rewind(out);
  std::string text;
  char buf[256];
  while (std::fgets(buf, sizeof buf, out)) text += buf;
  pf::trace::close();  // closes `out`
  EXPECT_EQ(text, "5 show test_a\n10 hide test_a\n10 unload test_a\n");
}

TEST_F(FormsTest, ActivationIsPostedOncePerActivation) {
  auto a = get(kA);
  a->show();
  EXPECT_TRUE(a->visible());
  EXPECT_EQ(forms().active(), a);
  EXPECT_EQ(a->activations, 0);  // only from the loop
  loop().do_events();
  EXPECT_EQ(a->activations, 1);

  a->show();  // already on top
  loop().do_events();
  EXPECT_EQ(a->activations, 1);

  auto b = get(kB);
  b->show();
  loop().do_events();
  EXPECT_EQ(forms().active(), b);
  EXPECT_EQ(b->activations, 1);
  EXPECT_EQ(a->activations, 1);

  b->hide();  // a is on top again
  EXPECT_EQ(forms().active(), a);
  loop().do_events();
  EXPECT_EQ(a->activations, 2);
  EXPECT_EQ(b->activations, 1);

  // Showing an open form brings it on top and activates it.
  b->show();
  loop().do_events();
  a->show();
  loop().do_events();
  EXPECT_EQ(forms().active(), a);
  EXPECT_EQ(a->activations, 3);
  EXPECT_EQ(b->activations, 2);

  // Unloading the top form activates the one below.
  a->unload();
  EXPECT_EQ(forms().active(), b);
  loop().do_events();
  EXPECT_EQ(b->activations, 3);
}

TEST_F(FormsTest, OnlyTheFormStillOnTopWhenTheLoopGetsThereIsActivated) {
  auto a = get(kA);
  auto b = get(kB);
  a->show();
  b->show();  // both in one handler: only b ends up active
  loop().do_events();
  EXPECT_EQ(a->activations, 0);
  EXPECT_EQ(b->activations, 1);

  // Shown and unloaded in the same handler: never activated.
  auto c = get(kC);
  std::weak_ptr<TestForm> weak_c = c;
  c->show();
  c->unload();
  c.reset();
  loop().do_events();
  EXPECT_TRUE(weak_c.expired());
  EXPECT_EQ(b->activations, 2);  // on top again after c
}

// ---------------------------------------------------------------- mouse

TEST_F(FormsTest, LabelClickNeedsDownAndUpOnTheSameLabel) {
  auto a = get(kA);
  a->show();
  loop().do_events();

  click(110, 60);
  EXPECT_EQ(a->log, (std::vector<std::string>{"down a 10,10", "up a 10,10", "click a"}));

  // Down on a, up on b: a gets its up (it has the mouse), nobody clicks.
  a->log.clear();
  down(110, 60);
  up(310, 60);
  EXPECT_EQ(a->log, (std::vector<std::string>{"down a 10,10", "up a 210,10"}));

  // Down on a, out and back in, up on a: a click.
  a->log.clear();
  down(139, 79);
  move(400, 400);
  move(100, 50);
  up(100, 50);
  EXPECT_EQ(a->log, (std::vector<std::string>{"down a 39,29", "move a 300,350", "move a 0,0",
                                              "up a 0,0", "click a"}));

  // Down on the form, up on a: the form has the mouse; a does not click.
  a->log.clear();
  down(10, 10);
  up(110, 60);
  EXPECT_EQ(a->log, (std::vector<std::string>{"form down 10,10", "form up 110,60", "form click"}));

  // An up with no down before it (pressed on another window) clicks nothing.
  a->log.clear();
  up(110, 60);
  up(10, 10);
  EXPECT_EQ(a->log, (std::vector<std::string>{"up a 10,10", "form up 10,10"}));
}

TEST_F(FormsTest, DragKeepsTheMouseWithThePressedControl) {
  auto a = get(kA);
  a->bounds = {20, 10, 600, 400};  // a smaller form, off the corner
  a->show();
  loop().do_events();

  move(130, 70);  // over a, no button: a gets the move
  down(130, 70);
  move(-50, 600);  // far outside a and the form
  move(330, 70);   // over b
  up(330, 70);
  move(530, 300);  // button released: the form's own area is the form's again
  EXPECT_EQ(a->log, (std::vector<std::string>{"move a 10,10", "down a 10,10", "move a -170,540",
                                              "move a 210,10", "up a 210,10", "form move 510,290"}));

  // Same for the form itself: pressed on the background, moves over a go to
  // the form.
  a->log.clear();
  down(30, 20);
  move(130, 70);
  up(130, 70);
  EXPECT_EQ(a->log, (std::vector<std::string>{"form down 10,10", "form move 110,60", "form up 110,60",
                                              "form click"}));

  // A press outside the form's bounds goes nowhere.
  a->log.clear();
  down(5, 5);
  EXPECT_TRUE(a->log.empty());
}

TEST_F(FormsTest, ClicksOnEmptyHiddenAndDisabledPlaces) {
  auto a = get(kA);
  a->show();
  loop().do_events();

  click(500, 300);  // empty area
  EXPECT_EQ(a->log, (std::vector<std::string>{"form down 500,300", "form up 500,300", "form click"}));

  // An invisible label is not there: the form gets the click.
  a->log.clear();
  a->control("b")->visible = false;
  click(310, 60);
  EXPECT_EQ(a->log, (std::vector<std::string>{"form down 310,60", "form up 310,60", "form click"}));

  // A disabled label swallows the mouse: nobody hears of the click.
  a->log.clear();
  a->control("a")->enabled = false;
  click(110, 60);
  EXPECT_TRUE(a->log.empty());

  // A disabled form ignores all input, and a press made before it was
  // disabled does not turn into a click later.
  a->control("a")->enabled = true;
  down(110, 60);
  a->log.clear();
  a->enabled = false;
  up(110, 60);
  click(500, 300);
  move(110, 60);
  send(InputEvent::Kind::Key, 0, 0, "Enter");
  send(InputEvent::Kind::Text, 0, 0, "x");
  EXPECT_TRUE(a->log.empty());
  a->enabled = true;
  up(110, 60);
  EXPECT_EQ(a->log, (std::vector<std::string>{"up a 10,10"}));
}

TEST_F(FormsTest, KeysTextAndCloseGoWhereTheyBelong) {
  auto a = get(kA);
  auto b = get(kB);
  a->show();
  b->show();
  int closes = 0;
  std::vector<std::string> global;
  forms().on_close_request = [&] { ++closes; };
  forms().on_global_key = [&](const std::string& key) {
    global.push_back(key);
    return key == "F11";
  };
  send(InputEvent::Kind::Key, 0, 0, "Enter");
  send(InputEvent::Kind::Key, 0, 0, "F11");
  send(InputEvent::Kind::Text, 0, 0, "Šárka");
  send(InputEvent::Kind::Close);
  EXPECT_EQ(b->log, (std::vector<std::string>{"key Enter", "text Šárka"}));
  EXPECT_TRUE(a->log.empty());
  EXPECT_EQ(global, (std::vector<std::string>{"Enter", "F11"}));
  EXPECT_EQ(closes, 1);
}

// ---------------------------------------------------------------- unloading

TEST_F(FormsTest, UnloadingFromItsOwnLabelClickOutlivesTheHandler) {
  std::weak_ptr<TestForm> weak;
  bool alive_in_handler = false;
  int touched_after = 0;
  {
    auto a = get(kA);
    weak = a;
    a->show();
    a->control("a")->on_click = [&, f = a.get()] {
      f->unload();
      alive_in_handler = !weak.expired();
      f->log.push_back("after unload");  // a member, after the unload
      touched_after = f->unloads;
    };
  }
  loop().do_events();
  ASSERT_FALSE(weak.expired());
  click(110, 60);
  EXPECT_TRUE(alive_in_handler);
  EXPECT_EQ(touched_after, 1);
  EXPECT_TRUE(weak.expired()) << "nobody should hold the unloaded form any more";
  EXPECT_EQ(forms().find(kA), nullptr);
}

std::vector<std::string> g_self_log;

// Unloads itself from its own click handler and carries on afterwards.
class SelfUnloading : public TestForm {
 public:
  SelfUnloading() : TestForm("test_self") {}
  void on_click() override {
    unload();
    log.push_back("after unload");  // a member, after the unload
    g_self_log.push_back(loaded() ? "still loaded" : "unloaded");
    g_self_log.push_back(std::to_string(log.size()));
  }
};

TEST_F(FormsTest, UnloadingFromTheFormsOwnHandlers) {
  // From Form::on_click (a click on the empty area).
  g_self_log.clear();
  pf::Forms::register_factory("test_self", [] { return std::make_shared<SelfUnloading>(); });
  std::weak_ptr<Form> weak;
  {
    auto f = forms().get("test_self");
    weak = f;
    f->show();
  }
  click(500, 300);
  // form down, form up, after unload
  EXPECT_EQ(g_self_log, (std::vector<std::string>{"unloaded", "3"}));
  EXPECT_TRUE(weak.expired());

  // From a label's mouse-up: the form is gone, so its click does not follow.
  std::vector<std::string> seen;
  {
    auto a = get(kA);
    weak = a;
    a->show();
    a->control("a")->on_mouse_up = [&, f = a.get()](int, int) {
      f->unload();
      seen.push_back("up");
    };
    a->control("a")->on_click = [&] { seen.push_back("click"); };
  }
  click(110, 60);
  EXPECT_EQ(seen, (std::vector<std::string>{"up"}));
  EXPECT_TRUE(weak.expired());
}

// ---------------------------------------------------------------- modal forms

TEST_F(FormsTest, ShowModalReturnsWhenTheFormHidesItself) {
  auto a = get(kA);
  a->show();
  loop().do_events();
  auto b = get(kB);
  Timer closer;
  closer.on_timer = [&] {
    closer.set_enabled(false);
    b->hide();
  };
  closer.set_interval(100);
  closer.set_enabled(true);
  // Input during the modal wait goes to the modal form.
  Timer typist;
  typist.on_timer = [&] {
    typist.set_enabled(false);
    InputEvent ev;
    ev.kind = InputEvent::Kind::Key;
    ev.key = "Enter";
    loop().deliver(ev);
  };
  typist.set_interval(50);
  typist.set_enabled(true);

  b->show_modal();
  EXPECT_EQ(loop().now(), 100);
  EXPECT_FALSE(b->visible());
  EXPECT_TRUE(b->loaded());
  EXPECT_EQ(b->activations, 1);
  EXPECT_EQ(b->log, (std::vector<std::string>{"key Enter"}));
  EXPECT_TRUE(a->log.empty());
  EXPECT_EQ(forms().active(), a);
}

TEST_F(FormsTest, ShowModalReturnsWhenTheFormUnloadsItself) {
  auto b = get(kB);
  std::weak_ptr<TestForm> weak = b;
  Timer closer;
  closer.on_timer = [&] {
    closer.set_enabled(false);
    if (auto f = weak.lock()) f->unload();
  };
  closer.set_interval(30);
  closer.set_enabled(true);
  TestForm* raw = b.get();
  b.reset();  // only the registry holds it now
  raw->show_modal();
  EXPECT_EQ(loop().now(), 30);
  EXPECT_TRUE(weak.expired());
  EXPECT_EQ(forms().active(), nullptr);
}

TEST_F(FormsTest, FormBelowIsActivatedAgainWhenAModalFormCloses) {
  auto a = get(kA);
  a->show();
  loop().do_events();
  ASSERT_EQ(a->activations, 1);
  auto b = get(kB);
  Timer closer;
  closer.on_timer = [&] {
    closer.set_enabled(false);
    b->hide();
  };
  closer.set_interval(100);
  closer.set_enabled(true);
  b->show_modal();
  loop().do_events();
  EXPECT_EQ(b->activations, 1);
  EXPECT_EQ(a->activations, 2) << "the form under a closed modal form gets active again";
}

TEST_F(FormsTest, InputAfterAModalFormHidItselfGoesToTheFormBelow) {
  auto a = get(kA);
  a->show();
  auto b = get(kB);
  b->control("a")->on_click = [&] { b->hide(); };
  // A click that closes the modal form and a key right behind it, in the
  // same pass (a quick player, or a script).
  Timer player;
  player.on_timer = [&] {
    player.set_enabled(false);
    for (auto kind : {InputEvent::Kind::MouseDown, InputEvent::Kind::MouseUp, InputEvent::Kind::Key}) {
      InputEvent ev;
      ev.kind = kind;
      ev.x = 110;
      ev.y = 60;
      ev.key = "Escape";
      loop().deliver(ev);
    }
  };
  player.set_interval(20);
  player.set_enabled(true);
  b->show_modal();
  EXPECT_FALSE(b->visible());
  EXPECT_EQ(b->log, (std::vector<std::string>{"down a 10,10", "up a 10,10"}));
  EXPECT_EQ(a->log, (std::vector<std::string>{"key Escape"})) << "a hidden form took the key";
}

// ---------------------------------------------------------------- pointer

TEST_F(FormsTest, CursorIsACounterReportedOnlyWhenItCrossesZero) {
  std::vector<bool> changes;
  forms().on_cursor_change = [&](bool shown) { changes.push_back(shown); };
  EXPECT_EQ(forms().cursor_count(), 0);
  forms().hide_cursor();
  forms().hide_cursor();
  EXPECT_EQ(changes, (std::vector<bool>{false}));
  forms().show_cursor();
  EXPECT_EQ(forms().cursor_count(), -1);  // still hidden
  EXPECT_EQ(changes, (std::vector<bool>{false}));
  forms().show_cursor();
  EXPECT_EQ(forms().cursor_count(), 0);
  EXPECT_EQ(changes, (std::vector<bool>{false, true}));
  forms().show_cursor();
  EXPECT_EQ(forms().cursor_count(), 1);
  forms().hide_cursor();
  EXPECT_EQ(forms().cursor_count(), 0);
  EXPECT_EQ(changes, (std::vector<bool>{false, true}));  // shown all along
  forms().hide_cursor();
  EXPECT_EQ(changes, (std::vector<bool>{false, true, false}));
}

}  // namespace
