// CUNICI: the opening and closing pictures and the players' screen.
#include <cmath>

#include "tools/mkmedia/cast.h"
#include "tools/mkmedia/draw.h"
#include "tools/mkmedia/folders.h"

namespace tapo::media {
namespace {

namespace pf = tapo::platform;

// A sunny meadow with the game's title: the opening and closing pictures.
pf::Surface title_picture(const char* line) {
  pf::Surface s(640, 480);
  for (int y = 0; y < 480; ++y) {
    const int t = y * 255 / 479;
    for (int x = 0; x < 640; ++x) s.set(x, y, pf::rgb(120 + t / 4, 190 + t / 8, 250 - t / 6));
  }
  fill_ellipse(s, 560, 80, 46, 46, pf::rgb(255, 214, 64));
  for (int x = 0; x < 640; ++x) {
    const int hill = 340 + static_cast<int>(24 * std::sin(x / 70.0));
    for (int y = hill; y < 480; ++y) s.set(x, y, pf::rgb(96, 176 - (y - hill) / 4, 72));
  }
  centred_text(s, 120, "Tapo - Numerino", 56, true, pf::rgb(150, 60, 20));
  centred_text(s, 210, line, 28, true, pf::rgb(40, 70, 140));
  return s;
}

// The players' room: a warm wall, a floor, a window.
pf::Surface players_room() {
  pf::Surface s(640, 480, pf::rgb(250, 226, 180));
  s.fill_rect({0, 380, 640, 100}, pf::rgb(190, 130, 80));
  s.fill_rect({0, 376, 640, 6}, pf::rgb(150, 96, 56));
  s.fill_rect({430, 40, 170, 130}, pf::rgb(120, 80, 50));
  s.fill_rect({438, 48, 154, 114}, pf::rgb(170, 215, 250));
  s.fill_rect({512, 48, 6, 114}, pf::rgb(120, 80, 50));
  return s;
}

// Where Tapo stands on the players' screen.
constexpr int kTapoX = 24, kTapoY = 250;

pf::Surface tapo_frame(const pf::Surface& room, const TapoLook& look) {
  pf::Surface f(kTapoWidth, kTapoHeight);
  f.blit(room, kTapoX, kTapoY, kTapoWidth, kTapoHeight, 0, 0);
  Canvas c(kTapoWidth, kTapoHeight);
  draw_tapo(c, 0, 0, look);
  c.over(f, 0, 0);
  return f;
}

void make_cunici(Pack& pack) {
  pack.bmp("\\CUNICI\\INTRO.BMP", title_picture("Let's count together!"));
  pack.bmp("\\CUNICI\\OUTRO.BMP", title_picture("Bye-bye, see you soon!"));
  const pf::Surface room = players_room();
  pack.bmp("\\CUNICI\\POZADI.BMP", room);

  // GESTO: frames 0..10 wave, frame 11 stands at rest; the wave ends at rest
  // and that picture stays on the background while Tapo talks.
  std::vector<pf::Surface> wave;
  for (int k = 0; k < 11; ++k) wave.push_back(tapo_frame(room, {TapoPose::Wave, k / 10.0, k % 3 == 0 ? 1 : 0}));
  wave.push_back(tapo_frame(room, {}));
  pack.clip("\\CUNICI\\GESTO.AVI", wave);
  pack.tone("\\CUNICI\\GESTO.WAV", {660, 880}, 0.18);
  std::vector<Step> there, back;
  for (int k = 0; k <= 10; ++k) there.push_back({k, 90});
  for (int k = 10; k >= 0; k -= 2) back.push_back({k, 60});
  back.push_back({11, 60});
  pack.script("\\CUNICI\\GESTO.DAT", "\\CUNICI\\GESTO", kTapoX, kTapoY, kTapoWidth, kTapoHeight, 11, there);
  pack.script("\\CUNICI\\GESTOREV.DAT", "\\CUNICI\\GESTO", kTapoX, kTapoY, kTapoWidth, kTapoHeight, 0, back);

  // MLUVI: the talking head, frame 0 the closed mouth, 1..4 speaking.
  std::vector<pf::Surface> mouths;
  for (int m = 0; m <= 4; ++m) {
    const pf::Surface whole = tapo_frame(room, {TapoPose::Stand, 0, m});
    pf::Surface head(kTapoHead.w, kTapoHead.h);
    head.blit(whole, kTapoHead.x, kTapoHead.y, kTapoHead.w, kTapoHead.h, 0, 0);
    mouths.push_back(std::move(head));
  }
  pack.clip("\\CUNICI\\MLUVI.AVI", mouths);
  pack.text("\\CUNICI\\MLUVI.DAT", "0\r\n" + std::to_string(kTapoX + kTapoHead.x) + "\r\n" +
                                        std::to_string(kTapoY + kTapoHead.y) + "\r\n");
  pack.speak("\\CUNICI\\INTRO");
}

}  // namespace
}  // namespace tapo::media

MKMEDIA_FOLDER("CUNICI", tapo::media::make_cunici)
