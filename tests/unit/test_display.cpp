// Presentation: our own scaling shows the same pixels and maps the mouse the
// same way as SDL's renderer, and presenting only the damaged parts leaves
// the window exactly as a full repaint would.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "core/sliding_view.h"
#include "platform/display.h"
#include "platform/scaler.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "test_support.h"

namespace {

namespace pf = tapo::platform;
using tapo::testing::LoopTest;

// A scene where every pixel differs from its neighbours.
pf::Surface busy_scene() {
  pf::Surface s(640, 480);
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x) s.set(x, y, pf::rgb(x * 7 + y, y * 13 + x * 3, (x ^ y) * 5));
  return s;
}

// The scene as our scaler draws it into a whole window of w x h.
pf::Surface scaled(const pf::Surface& scene, int w, int h) {
  pf::Scaler scaler;
  scaler.resize(w, h);
  pf::Surface out(w, h);
  scaler.draw(scene, pf::Forms::kScene, out.pixels().data(), w * 4);
  return out;
}

class VideoTest : public LoopTest {
 protected:
  void SetUp() override {
    LoopTest::SetUp();
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
  }
  void TearDown() override {
    unsetenv("TAPO_PRESENT");
    pf::Display::instance().set_fullscreen(false);
    pf::Display::instance().close();
    pf::Display::instance().open(true, "");
    pf::close_fonts();  // the name's lettering
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    LoopTest::TearDown();
  }
};

// SDL's software renderer with a logical size: what a machine without a GPU
// showed before, and the placement every renderer shares.
TEST_F(VideoTest, ScalingMatchesSdlsRendererInPixelsAndMouse) {
  const pf::Surface scene = busy_scene();
  for (auto [w, h] : std::vector<std::pair<int, int>>{{640, 480}, {1024, 768}, {1280, 960}, {1000, 700}, {1920, 1080}}) {
    SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
    SDL_Window* window = SDL_CreateWindow("t", 0, 0, w, h, 0);
    SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
    ASSERT_TRUE(renderer) << SDL_GetError();
    SDL_RenderSetLogicalSize(renderer, 640, 480);
    pf::Scaler scaler;
    scaler.resize(w, h);

    // Clicks land on the same scene pixel, letterbox borders included.
    for (int x = 0; x < w; x += 37)
      for (int y = 0; y < h; y += 29) {
        SDL_PumpEvents();
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
        SDL_Event ev{};
        ev.type = SDL_MOUSEBUTTONDOWN;
        ev.button.windowID = SDL_GetWindowID(window);
        ev.button.button = SDL_BUTTON_LEFT;
        ev.button.x = x;
        ev.button.y = y;
        SDL_PushEvent(&ev);
        SDL_Event got{};
        ASSERT_EQ(SDL_PeepEvents(&got, 1, SDL_GETEVENT, SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONDOWN), 1);
        const pf::Point p = scaler.to_scene(x, y);
        ASSERT_EQ(p.x, got.button.x) << x << "," << y;
        ASSERT_EQ(p.y, got.button.y) << x << "," << y;
      }

    // Pixels: where SDL's fixed-point stepping is exact, the same picture.
    if (w * 3 == h * 4 && (w % 128 == 0 || w == 640)) {
      SDL_Texture* texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING, 640, 480);
      SDL_UpdateTexture(texture, nullptr, scene.pixels().data(), 640 * 4);
      SDL_RenderClear(renderer);
      SDL_RenderCopy(renderer, texture, nullptr, nullptr);
      SDL_RenderSetLogicalSize(renderer, 0, 0);
      pf::Surface shown(w, h);
      ASSERT_EQ(SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_RGB888, shown.pixels().data(), w * 4), 0);
      for (auto& px : shown.pixels()) px &= 0xFFFFFF;
      EXPECT_TRUE(shown.pixels() == scaled(scene, w, h).pixels());
      SDL_DestroyTexture(texture);
    }
    SDL_DestroyRenderer(renderer);
    SDL_DestroyWindow(window);
  }
}

class Board : public pf::Form {
 public:
  Board() : Form("display_board") {}
  void on_load() override {
    picture = busy_scene();
    bell = &add<pf::PictureBox>("bell", pf::Rect{432, 54, 33, 37});
    bell->image.fill(pf::rgb(250, 200, 0));
    name = &add<pf::Label>("name", pf::Rect{420, 90, 120, 24});  // above the bell where their paths cross
    name->font_size = 18;
    name->centred = true;
  }
  pf::PictureBox* bell = nullptr;
  pf::Label* name = nullptr;
};
TAPO_REGISTER_FORM("display_board", Board)

// A bell tick damages the bell's place only; moving and hiding damage the
// places left as well.
TEST_F(LoopTest, DamageIsWhereThingsChanged) {
  auto board = std::static_pointer_cast<Board>(forms().get("display_board"));
  board->show();
  forms().update_scene();
  EXPECT_FALSE(forms().changed());

  board->bell->image.fill(pf::rgb(1, 2, 3));
  board->bell->refresh();
  EXPECT_EQ(forms().update_scene(), (std::vector<pf::Rect>{{432, 54, 33, 37}}));

  board->bell->rect.x = 500;
  const auto& moved = forms().update_scene();
  ASSERT_EQ(moved.size(), 2u);
  EXPECT_EQ(moved[0], (pf::Rect{432, 54, 33, 37}));
  EXPECT_EQ(moved[1], (pf::Rect{500, 54, 33, 37}));

  board->bell->visible = false;
  EXPECT_EQ(forms().update_scene(), (std::vector<pf::Rect>{{500, 54, 33, 37}}));
  EXPECT_TRUE(forms().scene().pixels() == forms().compose(true).pixels());
}

// The shop's kind of screen: a picture two screens wide with price tags
// riding on it, and a sign and a purse that stand still over it; a small
// form above one corner and a caption strip over everything.
class Shopfront : public pf::Form {
 public:
  Shopfront() : Form("display_shopfront") {}
  void on_load() override {
    wide = &add<pf::PictureBox>("wide", pf::Rect{0, 0, 1280, 480});
    wide->image = pf::Surface(1280, 480);
    for (int y = 0; y < 480; ++y)
      for (int x = 0; x < 1280; ++x) wide->image.set(x, y, pf::rgb(x * 7 + y, (x / 3) * 11 + y * 5, x ^ y));
    view.emplace(*wide);
    for (int k = 0; k < 8; ++k) {
      auto& tag = add<pf::Label>("tag" + std::to_string(k), pf::Rect{60 + 150 * k, 200 + 40 * (k % 3), 70, 24});
      tag.caption = std::to_string(10 + k);
      view->carry(tag);
      carried.push_back(&tag);
    }
    carried.push_back(wide);
    sign = &add<pf::Label>("sign", pf::Rect{250, 20, 140, 30});
    sign->caption = "STILL";
    sign->font_size = 22;
    auto& purse = add<pf::PictureBox>("purse", pf::Rect{101, 401, 53, 37});
    purse.image = pf::Surface(53, 37, pf::rgb(250, 0, 250));
  }
  pf::PictureBox* wide = nullptr;
  pf::Label* sign = nullptr;
  std::optional<tapo::core::SlidingView> view;
  std::vector<pf::Control*> carried;
};
TAPO_REGISTER_FORM("display_shopfront", Shopfront)

class Corner : public pf::Form {
 public:
  Corner() : Form("display_corner") { bounds = {520, 380, 120, 100}; }
  void on_load() override { picture.fill(pf::rgb(10, 200, 30)); }
};
TAPO_REGISTER_FORM("display_corner", Corner)

// A slide shifts the kept scene instead of composing it again, and every
// frame of it is still exactly the scene composed afresh: what came into
// view, what stood still over the picture, what changed just before.
TEST_F(LoopTest, ASlideShiftsTheSceneAndComposesOnlyWhatCameIntoViewOrStoodStill) {
  auto shop = std::static_pointer_cast<Shopfront>(forms().get("display_shopfront"));
  shop->show();
  forms().get("display_corner")->show();
  forms().set_overlay({100, 440, 440, 40}, [](pf::Surface& scene) {
    for (int x = 100; x < 540; x += 20) scene.fill_rect({x, 440, 20, 40}, pf::rgb(x / 3, 0, 0));
  });
  forms().update_scene();
  int frames = 0, changes = 0;
  long composed = 0;
  loop().set_present_hook([&]() -> std::optional<pf::Ms> {
    for (const pf::Rect& r : forms().update_scene()) composed += static_cast<long>(r.w) * r.h;
    EXPECT_TRUE(forms().scene().pixels() == forms().compose(true).pixels()) << "frame " << frames;
    if (++frames % 7 == 0) {  // the sign and a price change now and then, before the picture moves on
      shop->sign->caption = "STILL " + std::to_string(++changes);
      shop->sign->refresh();
      auto* tag = static_cast<pf::Label*>(shop->carried[changes % 4]);
      tag->caption = std::to_string(changes);
      tag->refresh();
    }
    return std::nullopt;
  });
  shop->view->slide_to(-640);
  shop->view->slide_to(0);
  loop().set_present_hook(nullptr);
  pf::close_fonts();  // the tags' and the sign's lettering
  ASSERT_GT(frames, 100);
  EXPECT_LT(composed / frames, 640 * 480 / 4) << "a slide composes a strip and what stands still, not the scene";
}

// Through the window's framebuffer: after every partial present the window
// shows exactly what one full repaint shows, at any window size.
TEST_F(VideoTest, PartialPresentsEndAsAFullRepaint) {
  auto& display = pf::Display::instance();
  setenv("TAPO_PRESENT", "surface", 1);
  ASSERT_TRUE(display.open(false, "t"));
  loop().set_present_hook([&display] { return display.present_if_dirty(); });
  auto board = std::static_pointer_cast<Board>(forms().get("display_board"));
  board->show();
  loop().wait_ms(20);
  ASSERT_EQ(display.path(), pf::Display::Path::WindowSurface);

  for (auto [w, h] : std::vector<std::pair<int, int>>{{640, 480}, {1024, 768}, {1000, 700}}) {
    SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
    display.set_window_size(w, h);
    loop().wait_ms(20);
    for (int step = 0; step < 12; ++step) {
      board->bell->rect.x = 400 + step * 9;
      board->bell->rect.y = 40 + (step % 3) * 50;
      board->bell->visible = step % 4 != 3;
      board->bell->image.fill(pf::rgb(step * 20, 255 - step * 20, step));
      board->bell->refresh();
      board->name->caption = std::string(static_cast<size_t>(step % 5) + 1, 'W');
      board->name->refresh();
      loop().wait_ms(20);
      ASSERT_TRUE(display.read_window().pixels() == scaled(forms().compose(true), w, h).pixels()) << "step " << step;
    }
    // Only the bell changes, under the name's lettering: the lettering stays.
    board->bell->rect = {460, 85, 33, 37};
    board->bell->visible = true;
    board->name->caption = "WWWWW";
    board->name->refresh();
    loop().wait_ms(20);
    board->bell->image.fill(pf::rgb(0, 0, 200));
    board->bell->refresh();
    loop().wait_ms(20);
    EXPECT_TRUE(display.read_window().pixels() == scaled(forms().compose(), w, h).pixels());
  }
}

// In a window the slide shifts the window's own pixels: while it slides,
// every pixel shows the picture at most a scene pixel away from where it is,
// and once it has stopped the window is exactly the scene.
TEST_F(VideoTest, ASlideShiftsTheWindowAndEndsExact) {
  auto& display = pf::Display::instance();
  setenv("TAPO_PRESENT", "surface", 1);
  ASSERT_TRUE(display.open(false, "t"));
  loop().set_present_hook([&display] { return display.present_if_dirty(); });
  auto shop = std::static_pointer_cast<Shopfront>(forms().get("display_shopfront"));
  shop->show();
  loop().wait_ms(20);
  const int w = 1000, h = 700;
  display.set_window_size(w, h);
  loop().wait_ms(40);
  ASSERT_EQ(display.path(), pf::Display::Path::WindowSurface);
  int checked = 0;
  pf::Timer probe;
  probe.set_interval(97);
  probe.on_timer = [&] {
    loop().wait_ms(20);  // the frame is up
    const pf::Surface shown = display.read_window();
    // The same scene one pixel either way bounds what a pixel may show.
    auto moved_by = [&](int by) {
      for (pf::Control* c : shop->carried) c->rect.x += by;
      pf::Surface s = scaled(forms().compose(true), w, h);
      for (pf::Control* c : shop->carried) c->rect.x -= by;
      return s;
    };
    const pf::Surface exact = moved_by(0), left = moved_by(-1), right = moved_by(1);
    int off = 0;
    for (size_t i = 0; i < shown.pixels().size(); ++i) {
      const pf::Rgb p = shown.pixels()[i];
      off += p != exact.pixels()[i] && p != left.pixels()[i] && p != right.pixels()[i];
    }
    EXPECT_EQ(off, 0) << "at left " << shop->wide->rect.x;
    ++checked;
  };
  probe.set_enabled(true);
  shop->view->slide_to(-640);
  shop->view->slide_to(0);
  probe.set_enabled(false);
  EXPECT_GT(checked, 30);
  shop->refresh();
  loop().wait_ms(40);
  EXPECT_TRUE(display.read_window().pixels() == scaled(forms().compose(true), w, h).pixels());
}

// A full-screen start covers the desktop before it goes full screen; leaving
// full screen then gives a window of the game's own size, not the desktop's.
TEST_F(VideoTest, FullScreenStartLeavesForAWindowOfItsOwn) {
  auto& display = pf::Display::instance();
  ASSERT_TRUE(display.open(false, "t"));
  ASSERT_TRUE(display.set_fullscreen(true));
  loop().set_present_hook([&display] { return display.present_if_dirty(); });
  forms().get("display_board")->show();
  loop().wait_ms(20);
  SDL_Rect desktop{};
  ASSERT_EQ(SDL_GetDisplayBounds(0, &desktop), 0);
  EXPECT_EQ(display.read_window().width(), desktop.w);
  ASSERT_TRUE(display.set_fullscreen(false));
  loop().wait_ms(20);
  const pf::Surface shown = display.read_window();
  EXPECT_EQ(shown.width(), 640);
  EXPECT_EQ(shown.height(), 480);
  EXPECT_TRUE(shown.pixels() == scaled(forms().compose(), 640, 480).pixels());
}

}  // namespace
