#include "tools/mkmedia/pack.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "tools/media_writers/avi_writer.h"
#include "tools/mkmedia/quantize.h"
#include "tools/mkmedia/words.h"

namespace tapo::media {

namespace fs = std::filesystem;

void fail(const std::string& what) {
  std::fprintf(stderr, "mkmedia: %s\n", what.c_str());
  std::exit(1);
}

Pack::Pack(fs::path out, std::vector<SpeechLine> speech, std::string lang, bool language_only, fs::path speech_cache)
    : out_(std::move(out)),
      speech_(std::move(speech)),
      lang_(std::move(lang)),
      language_only_(language_only),
      voice_(lang_, std::move(speech_cache)) {
  // Every line of the table at once: the voice is loaded once for them all.
  std::vector<std::string> texts;
  for (const auto& line : speech_) texts.push_back(line.text);
  if (!voice_.learn(texts)) fail("cannot synthesize the speech in " + lang_);
}

fs::path Pack::media_dir() const { return out_ / (language_only_ ? "media-" + lang_ : "media"); }

fs::path Pack::own_dir() const { return out_ / "own" / lang_; }

namespace {

// "\\TERC\\INTRO.DAT" -> "TERC/INTRO.DAT"
fs::path relative(const std::string& dos) {
  std::string rel = dos;
  std::replace(rel.begin(), rel.end(), '\\', '/');
  rel.erase(0, rel.find_first_not_of('/'));
  return rel;
}

bool same_bytes(const fs::path& a, const fs::path& b) {
  std::error_code ec;
  if (fs::file_size(a, ec) != fs::file_size(b, ec) || ec) return false;
  std::ifstream x(a, std::ios::binary), y(b, std::ios::binary);
  return std::equal(std::istreambuf_iterator<char>(x), std::istreambuf_iterator<char>(),
                    std::istreambuf_iterator<char>(y), std::istreambuf_iterator<char>());
}

}  // namespace

fs::path Pack::file(const std::string& dos, Where where) const {
  const fs::path p = (where == Where::Media ? media_dir() : where == Where::Data ? out_ / "data" : own_dir()) / relative(dos);
  const fs::path inside = p.lexically_relative(only_in_);
  if (where != Where::Own && !only_in_.empty() && (inside.empty() || *inside.begin() == ".."))
    fail(dos + " is outside its folder " + only_in_.string());
  fs::create_directories(p.parent_path());
  return p;
}

// A language's folder keeps a file only where it differs from the media
// tree's own; the data folder speaks no language.
bool Pack::skipped(Where where) const { return language_only_ && where == Where::Data; }

void Pack::keep_if_own(const std::string& dos, Where where) const {
  if (!language_only_ || where != Where::Media) return;
  const fs::path written = media_dir() / relative(dos);
  if (same_bytes(written, out_ / "media" / relative(dos))) fs::remove(written);
}

void Pack::bmp(const std::string& dos, const platform::Surface& picture, Where where) {
  if (skipped(where)) return;
  if (!picture.save_bmp(file(dos, where))) fail("cannot write " + dos);
  keep_if_own(dos, where);
}

void Pack::text(const std::string& dos, const std::string& content, Where where) {
  if (skipped(where)) return;
  std::ofstream out(file(dos, where), std::ios::binary | std::ios::trunc);
  out << content;
  if (!out) fail("cannot write " + dos);
  out.close();
  keep_if_own(dos, where);
}

void Pack::clip(const std::string& dos, const std::vector<platform::Surface>& frames, Where where) {
  if (skipped(where)) return;
  // One palette for all frames: exact when they have at most 256 colours,
  // otherwise fitted (the key colour always exact).
  const Quantized q = quantize(frames);
  if (!write_rle8_avi(file(dos, where), q.frames, q.palette, 15)) fail("cannot write " + dos);
  keep_if_own(dos, where);
}

namespace {

std::string script_text(const std::string& first_line, std::initializer_list<int> header, const std::vector<Step>& steps) {
  std::string s = first_line + "\r\n";
  for (int v : header) s += std::to_string(v) + "\r\n";
  for (const auto& st : steps) s += std::to_string(st.frame) + "x" + std::to_string(st.hold_ms) + "\r\n";
  return s;
}

}  // namespace

void Pack::script(const std::string& dos, const std::string& clip, int left, int top, int width, int height,
                  int final_frame, const std::vector<Step>& steps, Where where) {
  text(dos, script_text("\"" + clip + "\"", {left, top, width, height, final_frame}, steps), where);
}

void Pack::keyed_script(const std::string& dos, const std::string& clip, int left, int top, int width, int height,
                        int final_frame, const std::vector<Step>& steps, Where where) {
  text(dos, script_text(clip, {left, top, width, height, final_frame}, steps), where);
}

namespace {

std::string wav_bytes(const std::vector<std::int16_t>& pcm) {
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
  return out;
}

}  // namespace

void Pack::tone(const std::string& dos, std::initializer_list<double> notes, double seconds, Where where) {
  std::vector<std::int16_t> pcm;
  for (double f : notes) {
    const int n = static_cast<int>(22050 * seconds);
    for (int i = 0; i < n; ++i) {
      const double t = i / 22050.0;
      const double env = std::exp(-5.0 * t / seconds) * std::min(1.0, i / 200.0);
      // A little of the octave above makes it bell-like rather than a bare beep.
      const double wave = std::sin(2 * M_PI * f * t) + 0.3 * std::sin(4 * M_PI * f * t);
      pcm.push_back(static_cast<std::int16_t>(7000 * env * wave));
    }
  }
  text(dos, wav_bytes(pcm), where);
}

void Pack::sound(const std::string& dos, const std::vector<double>& samples, Where where) {
  std::vector<std::int16_t> pcm;
  for (double v : samples) pcm.push_back(static_cast<std::int16_t>(std::lround(std::clamp(v, -1.0, 1.0) * 12000)));
  text(dos, wav_bytes(pcm), where);
}

std::vector<std::uint32_t> Pack::synthesize_line(const std::string& dos_stem, Where where) {
  const std::string key = dos_stem.substr(dos_stem.find_first_not_of('\\'));
  auto it = std::find_if(speech_.begin(), speech_.end(), [&](const SpeechLine& l) { return l.file == key; });
  if (it == speech_.end()) fail("no text for " + dos_stem + " in the speech table");
  const auto speech = voice_.speak(it->text);
  if (!speech) fail("cannot synthesize " + dos_stem);
  text(dos_stem + ".WAV", wav_bytes(speech->pcm), where);
  // The captions: each sentence with the byte where it starts.
  std::string captions;
  for (size_t k = 0; k < speech->sentences.size(); ++k)
    captions += std::to_string(speech->starts[k]) + "\t" + speech->sentences[k] + "\r\n";
  text(dos_stem + ".TXT", captions, where);
  return {speech->starts.begin() + 1, speech->starts.end()};  // the marks: every start but the first
}

void Pack::caption(const std::string& wav, const std::string& key, Where where) {
  text(wav.substr(0, wav.rfind('.')) + ".TXT", "0\t" + word(key) + "\r\n", where);
}

void Pack::say(const std::string& dos_stem, Where where) { synthesize_line(dos_stem, where); }

void Pack::speak(const std::string& dos_stem, Where where) {
  const auto marks = synthesize_line(dos_stem, where);
  std::string mark_text;
  for (auto m : marks) mark_text += std::to_string(m) + "\r\n";
  text(dos_stem + ".DAT", mark_text, where);
}

}  // namespace tapo::media
