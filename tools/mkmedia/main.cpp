// mkmedia OUT [LANG]: writes the demo media pack.
//   OUT/media  the media tree (TAPO.INI "HD")
//   OUT/data   files the installation copies into the data folder ("HD_SHORT")
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>

#include "platform/surface.h"
#include "platform/text.h"
#include "tools/mkmedia/avi_writer.h"
#include "tools/mkmedia/cast.h"
#include "tools/mkmedia/draw.h"
#include "tools/mkmedia/speech.h"

namespace fs = std::filesystem;
namespace pf = tapo::platform;
namespace md = tapo::media;

namespace {

fs::path g_media;

fs::path media_file(const std::string& dos) {
  std::string rel = dos;
  std::replace(rel.begin(), rel.end(), '\\', '/');
  const fs::path p = g_media / rel.substr(rel.find_first_not_of('/'));
  fs::create_directories(p.parent_path());
  return p;
}

void fail(const std::string& what) {
  std::fprintf(stderr, "mkmedia: %s\n", what.c_str());
  std::exit(1);
}

void write_bmp(const std::string& dos, const pf::Surface& s) {
  if (!s.save_bmp(media_file(dos))) fail("cannot write " + dos);
}

void write_text(const std::string& dos, const std::string& text) {
  std::ofstream out(media_file(dos), std::ios::binary | std::ios::trunc);
  out << text;
  if (!out) fail("cannot write " + dos);
}

// A clip of these pictures: RLE8 when they share at most 256 colours.
void write_clip(const std::string& dos, const std::vector<pf::Surface>& frames) {
  std::set<pf::Rgb> colours;
  for (const auto& f : frames) colours.insert(f.pixels().begin(), f.pixels().end());
  bool ok;
  if (colours.size() <= 256) {
    md::Palette palette{};
    size_t i = 0;
    for (pf::Rgb c : colours) palette[i++] = c;
    std::vector<md::IndexedFrame> indexed;
    for (const auto& f : frames) indexed.push_back(md::to_indexed(f, palette));
    ok = md::write_rle8_avi(media_file(dos), indexed, palette, 15);
  } else {
    ok = md::write_dib24_avi(media_file(dos), frames, 15);
  }
  if (!ok) fail("cannot write " + dos);
}

// A short soft sound: decaying sine tones, 22050 Hz, 16-bit mono.
void write_tone(const std::string& dos, std::initializer_list<double> notes, double seconds_each) {
  std::vector<std::int16_t> pcm;
  for (double f : notes) {
    const int n = static_cast<int>(22050 * seconds_each);
    for (int i = 0; i < n; ++i) {
      const double t = i / 22050.0;
      const double env = std::exp(-5.0 * t / seconds_each) * std::min(1.0, i / 200.0);
      pcm.push_back(static_cast<std::int16_t>(9000 * env * std::sin(2 * M_PI * f * t)));
    }
  }
  std::string out = "RIFF";
  auto put = [&out](std::uint32_t v, int bytes) {
    for (int b = 0; b < bytes; ++b) out += static_cast<char>((v >> (8 * b)) & 0xFF);
  };
  put(static_cast<std::uint32_t>(36 + pcm.size() * 2), 4);
  out += "WAVEfmt ";
  put(16, 4);
  put(1, 2);
  put(1, 2);
  put(22050, 4);
  put(44100, 4);
  put(2, 2);
  put(16, 2);
  out += "data";
  put(static_cast<std::uint32_t>(pcm.size() * 2), 4);
  for (auto v : pcm) put(static_cast<std::uint16_t>(v), 2);
  write_text(dos, out);
}

// A sunny meadow with the game's title: the opening and closing pictures.
pf::Surface title_picture(const char* line) {
  pf::Surface s(640, 480);
  for (int y = 0; y < 480; ++y) {
    const int t = y * 255 / 479;
    for (int x = 0; x < 640; ++x) s.set(x, y, pf::rgb(120 + t / 4, 190 + t / 8, 250 - t / 6));
  }
  md::fill_ellipse(s, 560, 80, 46, 46, pf::rgb(255, 214, 64));
  for (int x = 0; x < 640; ++x) {
    const int hill = 340 + static_cast<int>(24 * std::sin(x / 70.0));
    for (int y = hill; y < 480; ++y) s.set(x, y, pf::rgb(96, 176 - (y - hill) / 4, 72));
  }
  md::centred_text(s, 120, "Tapo - Numerino", 56, true, pf::rgb(150, 60, 20));
  md::centred_text(s, 210, line, 28, true, pf::rgb(40, 70, 140));
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

// Tapo on the players' screen: where he stands, and his clips.
constexpr int kTapoX = 24, kTapoY = 250;

pf::Surface tapo_frame(const pf::Surface& room, int arm, int mouth) {
  pf::Surface f(md::kTapoWidth, md::kTapoHeight);
  f.blit(room, kTapoX, kTapoY, md::kTapoWidth, md::kTapoHeight, 0, 0);
  md::draw_tapo(f, 0, 0, arm, mouth);
  return f;
}

void make_cunici(const std::vector<md::SpeechLine>& speech, const std::string& voice) {
  write_bmp("\\CUNICI\\INTRO.BMP", title_picture("Let's count together!"));
  write_bmp("\\CUNICI\\OUTRO.BMP", title_picture("Bye-bye, see you soon!"));
  const pf::Surface room = players_room();
  write_bmp("\\CUNICI\\POZADI.BMP", room);

  // GESTO: frames 0..10 wave, frame 11 stands at rest.
  std::vector<pf::Surface> wave;
  for (int k = 0; k < 11; ++k) wave.push_back(tapo_frame(room, k + 1, k % 3 == 0 ? 1 : 0));
  wave.push_back(tapo_frame(room, 0, 0));
  write_clip("\\CUNICI\\GESTO.AVI", wave);
  write_tone("\\CUNICI\\GESTO.WAV", {660, 880}, 0.18);
  const std::string header = "\"\\CUNICI\\GESTO\"\r\n" + std::to_string(kTapoX) + "\r\n" + std::to_string(kTapoY) +
                             "\r\n" + std::to_string(md::kTapoWidth) + "\r\n" + std::to_string(md::kTapoHeight) + "\r\n";
  // The wave ends standing at rest, and that picture stays on the background
  // while Tapo talks.
  std::string there = header + "11\r\n", back = header + "0\r\n";
  for (int k = 0; k <= 10; ++k) there += std::to_string(k) + "x90\r\n";
  for (int k = 10; k >= 0; k -= 2) back += std::to_string(k) + "x60\r\n";
  back += "11x60\r\n";
  write_text("\\CUNICI\\GESTO.DAT", there);
  write_text("\\CUNICI\\GESTOREV.DAT", back);

  // MLUVI: the talking head, frame 0 the closed mouth, 1..4 speaking.
  std::vector<pf::Surface> mouths;
  for (int m = 0; m <= 4; ++m) {
    const pf::Surface whole = tapo_frame(room, 0, m);
    pf::Surface head(md::kTapoHead.w, md::kTapoHead.h);
    head.blit(whole, md::kTapoHead.x, md::kTapoHead.y, md::kTapoHead.w, md::kTapoHead.h, 0, 0);
    mouths.push_back(std::move(head));
  }
  write_clip("\\CUNICI\\MLUVI.AVI", mouths);
  write_text("\\CUNICI\\MLUVI.DAT",
             "0\r\n" + std::to_string(kTapoX + md::kTapoHead.x) + "\r\n" + std::to_string(kTapoY + md::kTapoHead.y) + "\r\n");

  for (const auto& line : speech) {
    std::vector<std::uint32_t> marks;
    const std::string stem = "\\" + line.file;
    if (!md::synthesize(line.text, media_file(stem + ".WAV"), marks, voice)) fail("cannot synthesize " + line.file);
    std::string mark_text;
    for (auto m : marks) mark_text += std::to_string(m) + "\r\n";
    write_text(stem + ".DAT", mark_text);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3 || argc > 4) {
    std::fprintf(stderr, "usage: mkmedia OUTDIR SPEECH_TABLE [VOICE]\n");
    return 2;
  }
  const fs::path out = argv[1];
  g_media = out / "media";
  fs::create_directories(out / "data");
  const auto speech = md::read_speech_table(argv[2]);
  if (speech.empty()) fail(std::string("no spoken clips in ") + argv[2]);
  make_cunici(speech, argc == 4 ? argv[3] : "en");
  pf::close_fonts();

  std::uintmax_t bytes = 0, files = 0;
  for (const auto& e : fs::recursive_directory_iterator(out))
    if (e.is_regular_file() && e.path().filename() != ".stamp") {
      bytes += e.file_size();
      ++files;
    }
  std::printf("mkmedia: %ju files, %ju bytes in %s\n", files, bytes, out.c_str());
  return 0;
}
